// lumeko parse FILE [--offset MS] [--no-amend] [--lrc]: the lyrics document as
// JSON, with its tags, lines, timeline and background schedule; texts in UTF-8.
// --lrc reads the standard LRC tags too, as the StandardLrcTags setting does.
#include "command.h"
#include "json.h"
#include "lyrics_args.h"
#include "platform/cp932.h"

namespace lumeko::tool {
namespace {

void WriteTags(JsonWriter& j, const TLyricsLineInfo& e) {
  j.Key("tags").BeginArray();
  for (const TTimeTag& t : e.TimeTags)
    j.BeginObject()
        .Field("position", t.Position)
        .Field("start", t.StartTime)
        .Field("end", t.EndTime)
        .Field("duration", t.Duration)
        .EndObject();
  j.EndArray();
}

int RunParse(const Args& args) {
  const ParsedArgs p = ParseArgs(args, {"--no-amend", "--lrc"}, {"--offset"});
  if (p.positional.size() != 1) throw UsageError{"expected one lyrics file"};
  TLyricsControl doc;
  if (const std::string* offset = p.Get("--offset")) doc.SetDefaultOffset(ParseMilliseconds(*offset, "--offset"));
  if (p.Has("--no-amend")) doc.SetAmendLineEnd(false);
  ApplyLrcArg(p, doc);
  LoadLyricsArg(p.positional[0], doc);

  JsonWriter j;
  j.BeginObject().Field("file", p.positional[0]);
  j.Key("tags").BeginObject();
  for (const TTagList::Entry& t : doc.Tags().Entries()) j.Field(Cp932ToUtf8(t.Name), Cp932ToUtf8(t.Value));
  j.EndObject();
  j.Field("has_word_tags", doc.HasWordTags()).Field("offset", doc.Offset());
  j.Key("lines").BeginArray();
  for (int i = 0; i < doc.LineCount(); ++i) {
    const TLyricsLineInfo& e = *doc.GetLineInfo(i);
    j.BeginObject().Field("text", Cp932ToUtf8(doc.GetLine(i))).Field("start", e.StartTime).Field("end", e.EndTime);
    WriteTags(j, e);
    j.EndObject();
  }
  j.EndArray();
  j.Key("timeline").BeginArray();
  for (int k = 0; k < doc.TimedLineCount(); ++k) {
    const TLyricsLineInfo& e = *doc.GetTimelineInfo(k);
    j.BeginObject()
        .Field("line_index", e.LineIndex)
        .Field("start", e.StartTime)
        .Field("end", e.EndTime)
        .Field("duration", e.Duration);
    WriteTags(j, e);
    j.EndObject();
  }
  j.EndArray();
  j.Key("bg_files").BeginArray();
  for (const TBgFileEx& f : doc.BgFiles())
    j.BeginObject().Field("time", static_cast<long long>(f.Time)).Field("file", Cp932ToUtf8(f.FileName)).EndObject();
  j.EndArray();
  j.EndObject();
  Print(j.str() + "\n");
  return 0;
}

const RegisterCommand kParse("parse", "parse FILE [--offset MS] [--no-amend] [--lrc]   the lyrics document as JSON",
                             RunParse);

}  // namespace
}  // namespace lumeko::tool
