// lumeko at FILE MS [--offset MS] [--lrc]: where a playback position stands in
// a lyrics file, as the renderer asks it on every frame.
#include "command.h"
#include "json.h"
#include "lyrics_args.h"

namespace lumeko::tool {
namespace {

int RunAt(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {"--lrc"}, {"--offset"});
  if (p.positional.size() != 2) throw UsageError{"expected a lyrics file and a position in ms"};
  const std::int32_t position = ParseMilliseconds(p.positional[1], "MS");
  TLyricsControl doc;
  if (const std::string* offset = p.Get("--offset")) doc.SetDefaultOffset(ParseMilliseconds(*offset, "--offset"));
  ApplyLrcArg(p, doc);
  LoadLyricsArg(p.positional[0], doc);

  TLyricsPosition pos;
  const bool found = doc.FindByTime(position, pos);
  JsonWriter j;
  j.BeginObject().Field("found", found);
  const std::pair<const char*, std::int32_t> fields[] = {
      {"line_index", pos.LineIndex}, {"timeline_index", pos.TimelineIndex}, {"segment_start", pos.SegmentStart},
      {"segment_end", pos.SegmentEnd}, {"tag_start", pos.TagStart},         {"tag_end", pos.TagEnd},
      {"tag_duration", pos.TagDuration}, {"progress", pos.Progress}};
  for (const auto& [name, value] : fields) {
    j.Key(name);
    if (found)
      j.Int(value);
    else
      j.Null();  // nothing is current before the first line
  }
  j.EndObject();
  Print(j.str() + "\n");
  return 0;
}

const RegisterCommand kAt("at", "at FILE MS [--offset MS] [--lrc]         where a position stands, as JSON", RunAt);

}  // namespace
}  // namespace lumeko::tool
