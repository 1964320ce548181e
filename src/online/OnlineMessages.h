#pragma once
// The texts the update and the sync show, shared by the screens and quarvel-tool.
#include <QString>

namespace online
{

inline const QString kDownloadFailed = QStringLiteral("ダウンロードに失敗しました。");
inline const QString kConnectFailed =
    QStringLiteral("ダウンロード・サイトへの接続に失敗しました。設定項目をご確認ください。");
inline const QString kSyncFailed = QStringLiteral("サーバーとの通信に失敗しました。履歴情報の同期はできませんでした。");
inline const QString kSyncDone = QStringLiteral("履歴情報の同期が完了しました。");
inline const QString kNothingNew = QStringLiteral("新しい問題ファイルはありませんでした");
inline const QString kUpdateTitle = QStringLiteral("問題ファイル更新情報");
inline const QString kHistoryWillClear =
    QStringLiteral("問題がアップデートされると、これに対応する履歴はクリアされます。よろしいですか?");
inline const QString kMustRestart = QStringLiteral("問題ファイルが更新されましたので、Quarvelを一度終了する必要がありま"
                                                   "す。自動終了後、Quarvelを再度起動してください。");
inline const QString kTimeOutRequired = QStringLiteral("接続タイムアウト時間に0秒以下を設定することはできません。");

} // namespace online
