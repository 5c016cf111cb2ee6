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
