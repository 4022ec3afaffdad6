// The property page's words (see property_texts.h).
//
// UTF-8 here, CP932 for the page: converted once, on first use.
#include "ui/property_texts.h"

#include <map>

#include "platform/cp932.h"

namespace lumeko {
namespace {

struct TText {
  const char* Name;
  const char* Utf8;
};

// Captions, group titles, explanations and the page's own messages.
constexpr TText kCaptions[] = {
    {"form", "LUMEKOの設定"},
    {"tab0", "ファイル"},
    {"tab1", "フォント／色"},
    {"tab2", "背景"},
    {"tab3", "タイムタグ"},
    {"tab4", "重ね合わせ"},
    {"tab5", "その他"},
    {"tab6", "バージョン"},
    {"btnOK", "OK"},
    {"btnCancel", "キャンセル"},
    {"chShowHint", "ヒントを表示する(&H)"},
    {"lblLyricsPath", "歌詞ファイルの検索パス(&P)"},
    {"btnRefLyricsPath", "参照(&R)..."},
    {"btnAddLyricsPath", "追加(&A)..."},
    {"gbSearch", "検索の設定"},
    {"cbFindSubFolder", "サブフォルダも検索(&S)"},
    {"cbNotPerformTitleSearch", "タイトル検索は行わない(&N)"},
    {"cbNotPerformSameFolderSearch", "メディアと同一フォルダ内の検索は行わない(&F)"},
    {"gbSimilar", "類似・あいまい検索"},
    {"cbSimilarSearch", "類似検索を行う(&M)"},
    {"cbFuzzySearch", "あいまい検索を行う(&Z)"},
    {"lblSimilarStrength", "類似検索の強さ(&G)"},
    {"lblFontList", "フォント名(&F)"},
    {"lblFontEffect", "文字の飾り(&E)"},
    {"lblFontMinSize", "最小サイズ(&M)"},
    {"gbFontStyle", "スタイル"},
    {"cbFontStyleBold", "太字(&B)"},
    {"cbFontStyleItalic", "斜体(&I)"},
    {"cbFontStyleUnderline", "下線(&U)"},
    {"gbColor", "色の設定"},
    {"lblActiveColor", "アクティブ色(&A)"},
    {"lblStillNotActiveColor", "アクティブ行色(&V)"},
    {"lblActiveEffectColor", "アクティブ飾り色(&T)"},
    {"lblActiveBkGndColor", "アクティブ背景色(&K)"},
    {"lblInactiveColor", "非アクティブ色(&N)"},
    {"lblBkGndColor", "背景色(&R)"},
    {"pickerDefault", "デフォルト"},
    {"pickerCustom", "その他"},
    {"lblColorScheme", "配色(&C)"},
    {"btnSaveColorScheme", "保存(&S)..."},
    {"btnDeleteColorScheme", "削除(&D)"},
    {"gbSample", "サンプル"},
    {"sampleText", "Aaあぁアｱ亜宇"},
    {"lblBkGndImage", "背景イメージ(&F)"},
    {"btnRefBkGndImage", "参照(&R)..."},
    {"lblBkGndImageFolder", "背景イメージフォルダ(&P)"},
    {"btnRefBkGndImageFolder", "参照(&E)..."},
    {"gbBkGndDraw", "表示方法の設定"},
    {"lblBkImageDrawMode", "描画モード(&M)"},
    {"cbBkGndImageBlend", "背景色になじませる(&B)"},
    {"lblBkGndImageBlendRate", "なじませる度合い(&C)"},
    {"lblBlendPercent", "%"},
    {"cbForbidDrawBkGndImage", "背景イメージの表示を禁止する(&I)"},
    {"gbTagAmend", "タグ補正の設定"},
    {"chTagAmendLineEnd", "行末タグの調整(&R)"},
    {"cbStandardLrcTags", "標準LRCタグを読み込む(&L)"},
    {"gbTimeAdjust", "時間の調整"},
    {"lblMilliseconds", "ミリ秒"},
    {"lblPileEffects", "視覚効果(&E)"},
    {"lblPilePresets", "プリセット(&S)"},
    {"cbPileEnabled", "重ね合わせ表示する(&P)"},
    {"cbNoLyricsOnly", "歌詞が無い曲の時のみ表示する(&N)"},
    {"cbUseFadeEffect", "フェード効果を使用する(&F)"},
    {"cbFadeNextSpaceOnly", "次行が空白の場合のみフェードする(&N)"},
    {"gbBurden", "処理の設定"},
    {"cbBurdenReduction", "CPU負荷の軽減(&R)"},
    {"gbDisplay", "表示処理の設定"},
    {"lblLineSpace", "行間(&L)"},
    {"lblKaraokeRowCount", "カラオケ表示行数(&W)"},
    {"cbHideNotHaveTag", "タグの付いていない行は表示しない(&T)"},
    {"cbUseRandomColorScheme", "作成した色の配色をランダムに使用する(&C)"},
    {"lblAboutVersion", "Version %d.%d Release %d (Build:%d)"},
    {"lblSimilarAndFuzzy", "「類似検索」・「あいまい検索」の両方を選択した場合、「類似検索」で検索できなければ「あいまい検索」が行われます。\r\n検索の強さの値を大きくすると、より強力に類似するファイルを検索することが出来ますが、ミスマッチ（他の曲用の歌詞ファイルを検索）を起す可能性も大きくなります。\r\nデフォルトは３です。"},
    {"Label10", "背景色になじむように色を調整します。\r\n背景色が黒の場合イメージが暗くなります。"},
    {"lblTagAmendLineEnd", "行末のタグの時間が次行先頭の時間よりも大きい場合、次行先頭の時間に調整します。\r\n@AmendTagが設定されている場合、@AmendTagが優先されます。"},
    {"lblTimeAdjust", "全てのタイムタグの時間を指定ミリ秒調整します。\r\n@Offsetが設定されている場合、@Offsetが優先されます。"},
    {"EffectLabel1", "「重ね合わせ」の設定を有効にするには、MediaPlayerを再起動するか、もしくは一度他の視覚効果に変更しなければなりません。\r\nなお、視覚効果によっては正常に重ね合わせ出来ない場合もあります。"},
    {"Label5", "選択している視覚効果を背景に使用します。\r\n重ね合わせを使用すると、背景イメージは一切表示されなくなります。\r\nなお、重ね合わせには高いマシンパワーを必要とします。"},
    {"lblUseFadeEffect", "一行表示のとき、表示にフェード効果を施します。"},
    {"lblBurdenReduction", "CPU負荷を軽減させます。\r\n副作用として、表示の滑らかさが若干落ちます。"},
    {"msgNotCp932", "「%s」に、この設定には保存できない文字「%s」があります。\r\nShift_JIS で表せる文字だけを使ってください。"},
    {"msgNotCp932Folder", "選んだフォルダ「%s」の名前には、この設定には保存できない文字「%s」があります。\r\nShift_JIS で表せる名前のフォルダを選んでください。"},
    {"lblLyricsPathShort", "歌詞ファイルの検索パス"},
    {"lblSchemeNameShort", "配色の名前"},
    {"browseLyrics", "歌詞ファイルの格納先"},
    {"browseBkGnd", "背景イメージの格納先"},
    {"pictureFilter", "すべてのファイル (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG イメージファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg|ビットマップ (*.bmp)|*.bmp"},
    {"schemeForm", "配色の保存"},
    {"lblSchemeName", "作成した配色を保存する名前(&N)"},
    {"btnOk", "OK"},
    {"formFont", "ＭＳ Ｐゴシック"},
};

// Hints; an empty line of a hint is an empty line between two CR LFs.
constexpr TText kHints[] = {
    {"btnOK", "設定は、次回のMediaPlayer起動時、もしくは視覚効果を変更した時に反映されます。"},
    {"chShowHint", "説明の無い項目でマウスカーソルを合わせると、\r\n項目のヒントを表示するようにします。"},
    {"edtLyricsPath", "歌詞ファイルを検索するフォルダを絶対パスで指定します。';'（セミコロン）で区切って複数記述できます。\r\n歌詞ファイルはここで指定されたフォルダから *.kra, *.lrc, *.txt の優先順で検索されます。"},
    {"cbFindSubFolder", "「検索パス」に指定したフォルダ以下のサブフォルダも検索するようになります。"},
    {"cbNotPerformTitleSearch", "メディアファイル名を元にした検索のみを行い、無駄な検索を省くことが出来ます。"},
    {"cbNotPerformSameFolderSearch", "メディアファイルと同一フォルダ内の検索を行わないようにします。"},
    {"cbStandardLrcTags", "[mm:ss.xx] 形式の行タグ、<mm:ss.xx> 形式の単語タグと、[ti:]・[ar:]・[al:]・[offset:] のヘッダも読み込むようになります。\r\n[offset:] の値が正のとき、歌詞はその分だけ早く表示されます。"},
    {"cbSimilarSearch", "「曲のタイトルを含む」等も検索されるようになります。再生開始に若干時間を要します。"},
    {"cbFuzzySearch", "強化した「類似検索」に加えて、半角/全角の違いなども同一視されて検索されるようになります。「類似検索」よりさらに時間を要します。"},
    {"cbFontList", "歌詞表示に使用するフォントを選択します。\r\n使用できるフォントは TrueType フォントのみです。"},
    {"gbSample", "選択しているフォントのサンプルです。"},
    {"cbFontEffect", "アクティブな歌詞の表示で使用する文字の飾りです。\r\n\r\n【通常】　飾りなし\r\n【枠付き】　文字の周りに１ドットの枠を付けます。\r\n【影-右下】　文字の右下に１ドットの影を付けます。\r\n【影-左上】　文字の左上に１ドットの影を付けます。\r\n【縁取り-小】　文字を小さめに縁取ります。縁の太さは文字の大きさによって変化します。\r\n【縁取り-大】　文字を大きめに縁取ります。縁の太さは文字の大きさによって変化します。"},
    {"edtFontMinSize", "これ以上フォントを小さくしてはならないという限界値です。\r\n6 - 30 の範囲で指定します。"},
    {"cpbtnActiveBkGndColor", "「センタリング」・「左寄せ」表示で、アクティブな歌詞の背景に使用する色です。\r\n背景イメージを表示している場合、背景色と同じ色にするとアクティブ背景色は表示されずにイメージが透過表示されます。\r\nデフォルトは黒です。"},
    {"cpbtnActiveColor", "アクティブな歌詞の表示に使用するフォントの色です。\r\nデフォルトは白です。"},
    {"cpbtnInactiveColor", "アクティブでない歌詞の表示に使用するフォントの色です。\r\nデフォルトはグレイです。"},
    {"cpbtnBkGndColor", "背景に使用する色です。\r\nデフォルトは黒です。"},
    {"cpbtnActiveEffectColor", "飾り文字を指定している場合のみ有効で、アクティブな歌詞の文字飾り用の色です。\r\nデフォルトは赤です。"},
    {"cpbtnStillNotActiveColor", "カラオケタグ付き歌詞の場合に使用される、アクティブな行のまだ到達していない歌詞の表示に使用するフォントの色です。\r\n「センタリング」・「左寄せ」でのみ使用されます。\r\nデフォルトはシルバーです。"},
    {"cbFontStyleBold", "フォントを太字にします。"},
    {"cbFontStyleItalic", "フォントを斜体にします。"},
    {"cbFontStyleUnderline", "フォントに下線が付きます。"},
    {"cbColorScheme", "保存した配色です。\r\n配色を選択すると、複数の項目をまとめて設定することが出来ます。"},
    {"btnSaveColorScheme", "現在の[フォント／色]設定に名前を付けて保存します。"},
    {"btnDeleteColorScheme", "選択している配色を削除します。"},
    {"edtBkGndImage", "背景に表示するイメージファイルを指定します。扱えるイメージは、ビットマップとJPEGです。\r\n@BgFileが指定されている場合、@BgFileが優先されます。\r\n絶対パスで指定しない場合、「背景イメージフォルダ」もしくは@BgFolderからの相対パス指定と解釈されます。\r\n\r\nなお、ファイル名にはワイドカードと置換が使用できます。\r\n詳しくは付属の説明書を参照してください。"},
    {"edtBkGndImageBlendRate", "背景イメージを背景色になじませる割合を 0 - 100 の範囲で指定します。\r\n数値が大きいほど背景色に強くなじみます。"},
    {"cbBkImageDrawMode", "背景イメージの表示方法です。\r\n\r\n【比率固定伸縮】　画像の縦横の比率を変えずに画像全体が表示されるように伸縮。\r\n【全画面伸縮】　画像を表示画面いっぱいに伸縮。\r\n【ズーム】　画像の縦横の比率は変えずに表示画面に余白が出来ないように伸縮。\r\n【オリジナルサイズ】　画像のサイズはそのままで、指定した位置に表示。\r\n【オリジナルサイズ（タイル）】　画像のサイズはそのままで、左上からタイル表示。"},
    {"cbForbidDrawBkGndImage", "「背景イメージ」、及び@BgFileで背景イメージが指定されていてもイメージを表示しないようにします。"},
    {"edtBkGndImageFolder", "「背景イメージ」、及び@BgFileが絶対パス指定でない場合に使用される、背景イメージが格納されているフォルダを指定します。\r\n@BgFolderが指定されている場合、@BgFolderが優先されます。"},
    {"cbPileEnabled", "選択している視覚効果を背景に使用します。\r\n重ね合わせ表示を行った場合は、背景イメージは表示されなくなります。"},
    {"cbNoLyricsOnly", "歌詞が見つからない曲の時のみ、選択している視覚効果を背景に使用します。"},
    {"cbLineSpace", "「センタリング」・「左寄せ」表示で、飾り文字を使用した場合の行間を選択します。\r\n\r\n【そのまま】　飾りが無い時と同じ行間です。\r\n【アクティブ行のみ拡大】　アクティブ行のみ文字飾りの太さ分だけ行間を広げます。\r\n【全て均等に拡大】　全ての行において文字飾りの太さ分だけ行間を広げます。"},
    {"edtKaraokeRowCount", "「カラオケ」で一度に表示できる行数です。\r\n0の場合、歌詞の幅と最小サイズにより自動調整されます。"},
    {"cbHideNotHaveTag", "「センタリング」・「左寄せ」で、タイムタグの付いていない行を表示しないようにします。\r\n副作用として、カラオケタグ付き歌詞でなく行頭に複数タグのあるものは、展開されて表示されます。"},
    {"cbUseRandomColorScheme", "「フォント／色」で作成した配色を、ランダムで使用します。"},
};

struct TItems {
  const char* Name;
  std::initializer_list<const char*> Utf8;
};

const TItems kItems[] = {
    {"cbFontEffect", {"通常", "枠付き", "影付き - 右下", "影付き - 左上", "縁取り - 小", "縁取り - 大"}},
    {"cbLineSpace", {"そのまま", "アクティブ行のみ拡大", "全て均等に拡大"}},
    {"cbBkImageDrawMode", {"比率固定伸縮", "全画面伸縮", "ズーム", "オリジナルサイズ（中央）", "オリジナルサイズ（左上）", "オリジナルサイズ（右上）", "オリジナルサイズ（左下）", "オリジナルサイズ（右下）", "オリジナルサイズ（タイル）"}},
};

using TTextMap = std::map<std::string, std::string, std::less<>>;

template <size_t N>
TTextMap Convert(const TText (&texts)[N]) {
  TTextMap map;
  for (const TText& t : texts) map.emplace(t.Name, Utf8ToCp932(t.Utf8));
  return map;
}

const std::string& Find(const TTextMap& map, std::string_view name) {
  static const std::string none;
  const auto it = map.find(name);
  return it == map.end() ? none : it->second;
}

}  // namespace

const std::string& PageCaption(std::string_view name) {
  static const TTextMap map = Convert(kCaptions);
  return Find(map, name);
}

const std::string& PageHint(std::string_view name) {
  static const TTextMap map = Convert(kHints);
  return Find(map, name);
}

const std::vector<std::string>& PageItems(std::string_view name) {
  static const std::map<std::string, std::vector<std::string>, std::less<>> map = [] {
    std::map<std::string, std::vector<std::string>, std::less<>> m;
    for (const TItems& i : kItems) {
      std::vector<std::string>& list = m[i.Name];
      for (const char* s : i.Utf8) list.push_back(Utf8ToCp932(s));
    }
    return m;
  }();
  static const std::vector<std::string> none;
  const auto it = map.find(name);
  return it == map.end() ? none : it->second;
}

}  // namespace lumeko
