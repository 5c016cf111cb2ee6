#include "model/string_table.h"

#include <algorithm>
#include <utility>

namespace ravelo {

namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {kMsgMemoryAllocationFailed, "メモリの確保に失敗しました"},
    {kMsgWorkFolderUnavailable, "作業フォルダの取得に失敗しました"},
    {kMsgTooManyParents, "親ノード数が制限を超えて、これ以上追加できません"},
    {kMsgOleInitFailed, "OLEの初期化に失敗しました"},
    {kMsgRibbonInitFailed, "リボンメニューの初期化に失敗しました"},
    {kMsgSizeTooLarge, "サイズが大きすぎます"},
    {kMsgSaveFailed, "ファイルの保存に失敗しました"},
    {kMsgWrongFileFormat, "ファイル形式が異なります"},
    {kMsgUnsupportedVersion, "このドキュメントバージョンには対応できません"},
    {kMsgOpenFailed, "ファイルのオープンに失敗しました"},
    {kMsgNoWriteAccess,
     "書き込み場所にアクセス権がない可能性があります\n管理者として実行するか、アクセス権のある場所に保存してください"},
    {kMsgExtractFailed, "ファイルの展開に失敗しました"},
    {kMsgPaneCreationFailed, "ウィンドウの作成に失敗しました"},
    {kMsgTooManyObjectsInFile, "オブジェクトの最大セット件数を超えました"},
    {kMsgBackupFailed, "バックアップファイルの作成に失敗しました"},
    {kMsgPrinterDcFailed, "プリンタＤＣの取得に失敗しました"},
    {kMsgFolderCannotOpen, "フォルダは開けません"},
    {kMsgAlreadyRunning, "既に起動しています"},
    {kMsgFileNotFound, "ファイルが見つかりません"},
    {kMsgPrinterInitFailed, "プリンタの初期化に失敗しました"},
    {kMsgUnsupportedColourDepth, "このソフトは、16, 24, 32ビット以外では正常に動作しません"},
    {kMsgObjectLimit, "オブジェクトの数が制限(2,000)を超えました\nこれ以上、セットできません"},
    {kMsgManualMissing, "実行ファイルと同じ場所にＰＤＦファイルがありません"},
    {kMsgManualName, "Manual"},
    {kMsgInvalidFileNameCharacter, "ファイル名に使用できない文字のチェック(\\/:*?\"<>|)"},
    {kMsgNoDictionaryChosen, "置換辞書が不明です"},
    {kMsgSamePhrases, "置換前後の語句が同じです"},
    {kMsgNothingToReplace, "置換対象語句が見つかりません"},
    {kMsgHitLimit, "最大ヒット件数を超えました"},
    {kMsgDictionaryReadFailed, "置換辞書の読み込みに失敗しました"},
    {kMsgReplaceConfirm, "一括置換してよろしいですか"},
    {kMsgReplaceDone, "一括置換を完了しました"},
    {kMsgDictionaryDirection,
     "一括置換します\n\n順置換でよろしいですか\n逆置換-「いいえ」\n中止-「キャンセル」\n\n※ "
     "「逆置換」とは、辞書に登録されている「置換前」と「置換後」の語句を逆にして置換する方法です"},
    {kMsgShowHiddenMemo, "対象語句は記事中にありますが、現在非表示になっています。記事を表示しますか"},
    {kMsgFolderCreationFailed, "フォルダの作成に失敗しました"},
    {kMsgSameNameExists, "既に同名のファイルがあり、作成できません\n名前を変更しますか"},
    {kMsgFileCreationFailed, "ファイルの作成に失敗\nアクセス権がない可能性があります"},
    {kMsgRenameFailed, "変更に失敗しました。他で使用している可能性があります"},
    {kMsgConfirmDelete, "削除してもよろしいですか\n※ 元に戻せませんのでご注意ください"},
    {kMsgDeleteFailed, "削除に失敗しました。他で使用している可能性があります"},
    {kMsgNoRowSelected, "行が選択されていません"},
    {kMsgDictionaryFileMissing, "置換辞書ファイルが見つかりません"},
    {kMsgNoText, "テキストが入力されていません"},
    {kMsgConfirmRegister, "登録してよろしいですか"},
    {kMsgAlreadyRegistered, "既に登録されています"},
    {kMsgTextTooLong, "文字数が既定の長さを超えています"},
    {kMsgDictionaryNotCp932,
     "行目がシフトJIS(cp932)のテキストではないため、この置換辞書は使えません\nシフトJISで保存し直してください"},
    {kMsgDictionaryLineTooLong, "行目が長すぎるため(1行1024バイトまで)、この置換辞書は使えません"},
    {kMsgNotADictionaryFile, "置換辞書のファイルではありません"},
    {kMsgDictionaryEmpty, "置換辞書に置換語句が登録されていません"},
    {kMsgDictionaryFull, "置換辞書に登録できる語句は500件までです"},
    {kMsgReservedDictionaryName, "この名前は置換辞書名に使えません\n(「.」で始まる名前、「..」、制御文字は使えません)"},
    {kMsgNotInCp932, "上の文字はシフトJIS(cp932)で表せないため使えません"},
    {kMsgSkippedByLimit, "文字数の上限(タイトル50バイト、記事500バイト)を超えるため置換しなかったテキスト"},
    {kMsgExplorerFailed, "エクスプローラの起動に失敗しました"},
    {kMsgImportRowsOverLimit, "インポート件数が制限を超えています。可能な件数のみ処理します"},
    {kMsgRowWithoutChildTitle, "子ノードタイトルのないデータはインポートできません"},
    {kMsgNoFifthColumn, "必須項目のノードタイトルは5列目です。\nインポートしようとしているExcelには5列目がありません"},
    {kMsgExcelStartFailed, "Excelの起動に失敗しました"},
    {kMsgExcelReadFailed, "Excelからの読込みに失敗しました"},
    {kMsgAskHeaderRow,
     "２行目から読込みを開始しますか\n１行目から読込む-「いいえ」\n中止-「キャンセル」\n※ "
     "１行目がデータの見出しのときは「はい」にしてください"},
    {kMsgAskExportToExcel, "Excelにエクスポートしますか\nCSVファイルに保存する-「いいえ」\n中止-「キャンセル」"},
    {kMsgAskOverwrite, "指定したファイルは既に存在します\n上書きしてもよろしいですか"},
    {kMsgSavedShowFolder, "正常に保存しました\n保存場所を表示しますか"},
    {kMsgAskClearImportHistory, "最近インポートしたファイルの履歴をメニューから削除してもよろしいですか"},
    {kMsgNotCp932Text, "Shift-JIS(CP932)のテキストではないため、インポートできません"},
    {kMsgCharactersReplaced, "Shift-JIS(CP932)で表せない文字を「?」に置き換えました"},
    {kMsgParentCycle, "親子関係が循環するため、この親ノードは設定できません"},
    {kMsgWorkbookWriteFailed, "Excelファイルの書き込みに失敗しました"},
    {kMsgSettingsKeptAside, "設定ファイルの一部を読み込めませんでした\n読み込めた設定を使い、元のファイルは上の名前で残しました"},
};

}  // namespace

std::string_view ResourceText(int id) {
  const auto* entry = std::find_if(std::begin(kStrings), std::end(kStrings),
                                   [id](const auto& candidate) { return candidate.first == id; });
  return entry == std::end(kStrings) ? std::string_view{} : entry->second;
}

MessageAnswer ShowResourceMessage(Messages& messages, std::string_view prefix, int id, MessageIcon icon,
                                  MessageButtons buttons) {
  std::string text(prefix);
  text += ResourceText(id);
  return messages.Show(text, icon, buttons);
}

}  // namespace ravelo
