#pragma once
// The editor's own texts: messages, file dialog filters, captions. They are
// shown byte for byte as written here.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "files/error.h"

namespace borvik::editor {

// Files and exports. A failure is shown as its message with what went wrong
// on a second line (DescribeFailure).
inline constexpr std::string_view kCannotOpenMessage = "ファイルを開くことができませんでした";
inline constexpr std::string_view kCannotWriteMessage = "ファイルに書き込むことができませんでした";
inline constexpr std::string_view kImportFailedMessage = "ファイルの取り込みに失敗しました。";
inline constexpr std::string_view kTableFullMessage =
    "これ以上の層は入力できません。1 つの柱状図に入力できるのは 999 層までです。";
inline constexpr std::string_view kImageFailedMessage = "画像を作成できませんでした。";
inline constexpr std::string_view kOutOfMemoryMessage =
    "メモリが足りないため、処理を続けられませんでした。";
// A sheet of the log too large for the paper asked for: head, the paper,
// tail, and on a second line the paper that would hold it, then the fit
// tail. When no paper would, the whole message is the last one.
inline constexpr std::string_view kPaperTooSmallHead = "1 枚分の柱状図が ";
inline constexpr std::string_view kPaperTooSmallTail = " の用紙に収まりません。";
inline constexpr std::string_view kPaperFitsTail = " の用紙なら収まります。";
inline constexpr std::string_view kNoPaperFitsMessage =
    "1 枚分の柱状図がどの用紙（A4、A3 の縦と横）にも収まりません。";
// Followed by the file's name.
inline constexpr std::string_view kCannotDeleteTail = " を削除できませんでした。";
// The boring exchange import without its name rules; followed by the file sought.
inline constexpr std::string_view kNoImportRulesHead =
    "ボーリング交換用データを読み込めません。岩相の対応表が見つかりません: ";

// The words of a failure: the message, then what went wrong on a line of
// its own when that is known.
std::string DescribeFailure(const files::Error& error);
// A paper as the messages name it: "A4 縦", "A3 横".
std::string PaperName(files::Paper paper);
// What an errno of a file operation means, as a short sentence.
std::string ErrnoReason(int errnum);
// What a failed load shows, one message box each: the failure, and for a
// file that could not even be read, that the import failed.
std::vector<std::string> LoadFailureMessages(const files::Error& error);

// Form transfer.
inline constexpr std::string_view kNeedNumberMessage = "数字を入力してください。";

// ValidateForm, in the order of its rules.
inline constexpr std::string_view kNeedNameMessage = "柱状図名と（孔口）標高を入力してください。\n";
// By scale index; a list without selection counts as 1/50.
inline constexpr std::array<std::string_view, 4> kThicknessMessages{
    "入力深度の差分を13m以下で入力ください。\n",
    "入力深度の差分を25.0m以下で入力ください。\n",
    "入力深度の差分を50.0m以下で入力ください。\n",
    "入力深度の差分を100.0m以下で入力ください。\n",
};
inline constexpr std::string_view kNeedBottomMessage = "深度を入力ください。\n";
inline constexpr std::string_view kNegativeMessage =
    "正の数値を入力ください。\n負の数値に対応しません。\n";
inline constexpr std::string_view kTooManyLithologiesMessage = "選択した岩相の種類が多すぎます。\n";
inline constexpr std::string_view kGradedBedrockMessage = "選択した岩相変化の種類が異なります。\n";
inline constexpr std::string_view kMixedLithologiesMessage = "選択した岩相の種類が異なります。\n";
inline constexpr std::string_view kCheckDepthsMessage = "深度入力を確認ください。\n";
inline constexpr std::string_view kNeedTwoLithologiesMessage = "２種類の岩相を指定ください。\n";
// Followed by the new depth as %5.2f; it informs, it does not refuse.
inline constexpr std::string_view kMidpointMessageHead = "岩相が変化する深度を中点の ";
inline constexpr std::string_view kMidpointMessageTail = " に設定します\n";
inline constexpr std::string_view kLoamyMessage = "ローム質は泥と砂のみに適用されます。\n";
inline constexpr std::array<std::string_view, 4> kStructureRangeMessages{
    "堆積構造１の深度入力を確認ください。\n",
    "堆積構造２の深度入力を確認ください。\n",
    "堆積構造３の深度入力を確認ください。\n",
    "堆積構造４の深度入力を確認ください。\n",
};
inline constexpr std::array<std::string_view, 4> kStructureKindMessages{
    "堆積構造１に入力をお願いします。\n",
    "堆積構造２に入力をお願いします。\n",
    "堆積構造３に入力をお願いします。\n",
    "堆積構造４に入力をお願いします。\n",
};
inline constexpr std::array<std::string_view, 3> kFeatureRangeMessages{
    "その他の特徴１の深度入力を確認ください。\n",
    "その他の特徴２の深度入力を確認ください。\n",
    "その他の特徴３の深度入力を確認ください。\n",
};
inline constexpr std::array<std::string_view, 3> kFeatureKindMessages{
    "その他の特徴１に入力をお願いします。\n",
    "その他の特徴２に入力をお願いします。\n",
    "その他の特徴３に入力をお願いします。\n",
};
inline constexpr std::array<std::string_view, 4> kSampleRangeMessages{
    "試料１の深度入力を確認ください。\n",
    "試料２の深度入力を確認ください。\n",
    "試料３の深度入力を確認ください。\n",
    "試料４の深度入力を確認ください。\n",
};

// Entries the layer files cannot hold, and places where no layer goes.
inline constexpr std::string_view kNameSeparatorMessage =
    "柱状図名にコンマ（,）や改行は使えません。\n";
inline constexpr std::string_view kNameEncodingMessage =
    "柱状図名に保存できない文字が含まれています。\n";
inline constexpr std::string_view kRecordZeroMessage =
    "この位置には入力できません。「次のデータ」で層を表示してから入力してください。\n";

// borvik-cli check: a value in a layer line that no form can produce.
std::string ImpossibleCodeMessage(int column, std::string_view value);
// A log whose layers need more drawing rows than the picture holds (only a
// file can bring one: layers far longer than data entry accepts).
inline constexpr std::string_view kDrawingFullMessage =
    "層が長すぎるため、この縮尺では描ききれない層があります。層の深度を確認してください。";

// Navigation.
inline constexpr std::string_view kNoEarlierRecordMessage = "これより前のデータはありません。";

// The 編集 menu and closing.
inline constexpr std::string_view kDeleteLayerQuestion = "この層を削除しますか？";
inline constexpr std::string_view kSaveChangesQuestion = "変更を保存しますか？";
// The window's title: the program, and the file of the log or, for a log
// never saved, this word.
inline constexpr std::string_view kProgramName = "Borvik";
inline constexpr std::string_view kUntitledLog = "無題";

// Start: where the work file went, and the log of a run that did not close
// normally. Each path goes between head and tail.
inline constexpr std::string_view kWorkFileElsewhereHead =
    "作業フォルダに作業ファイルを作成できないため、";
inline constexpr std::string_view kWorkFileElsewhereTail = " に作成しました。";
inline constexpr std::string_view kNoWorkFileMessage =
    "作業ファイルを作成できる場所がありません。入力したデータはこまめに保存してください。";
inline constexpr std::string_view kRecoveryQuestion =
    "前回、正常に終了しなかった柱状図データが見つかりました。開きますか？";
inline constexpr std::string_view kRecoveryKeptHead = "前回の柱状図データは ";
inline constexpr std::string_view kRecoveryKeptTail =
    " に残してあります。「柱状図データの読込」で開けます。";

// Said once at start when the built-in textures cannot be found.
inline constexpr std::string_view kBuiltInTexturesMissingMessage =
    "組み込みのテクスチャ（TEX/SYSTEM）が見つかりません。模様と記号は描かれずに白く表示されます。";

// File dialogs.
inline constexpr std::string_view kLayerFileFilter = "データファイル (*.csv)|*.csv||";
inline constexpr std::string_view kLayerFileExtension = "csv";
inline constexpr std::string_view kExchangeFileFilter =
    "ボーリング交換用データ (*.xml)|*.xml;*.XML||";
inline constexpr std::string_view kImageFileFilter = "画像ファイル (*.png)|*.png||";
inline constexpr std::string_view kImageFileExtension = "png";
inline constexpr std::string_view kPdfFileFilter = "PDFファイル (*.pdf)|*.pdf||";
inline constexpr std::string_view kPdfFileExtension = "pdf";
inline constexpr std::string_view kSvgFileFilter = "SVGファイル (*.svg)|*.svg||";
inline constexpr std::string_view kSvgFileExtension = "svg";
inline constexpr std::string_view kSettingsLoadFilter = "設定ファイル (*.set)|*.set||";
// The settings dialog names its files differently from the load command.
inline constexpr std::string_view kSettingsSaveFilter = "データファイル (*.set)|*.set||";
inline constexpr std::string_view kSettingsFileExtension = "set";
inline constexpr std::string_view kTextureFileFilter = "テクスチャファイル (*.png)|*.png||";

}  // namespace borvik::editor
