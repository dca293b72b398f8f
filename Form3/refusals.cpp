#include "refusals.h"

#include <cerrno>

QString ListRefusal(const QString& path, const pipeline::ListOpening& opened) {
    using pipeline::ListProblem;
    const QString notAFile =
        QStringLiteral("%1 は%2のため読みません。一覧はファイルで選んでください。");
    switch (opened.problem) {
        case ListProblem::Folder:
            return notAFile.arg(path, QStringLiteral("フォルダー"));
        case ListProblem::Device:
            return notAFile.arg(path, QStringLiteral("装置"));
        case ListProblem::Fifo:
            return notAFile.arg(path, QStringLiteral("名前付きパイプ"));
        case ListProblem::Socket:
            return notAFile.arg(path, QStringLiteral("ソケット"));
        case ListProblem::None:
        case ListProblem::Closed:
        case ListProblem::CannotOpen:
            break;
    }
    return QStringLiteral("%1: 開けません (%2)").arg(path, opened.error);
}

QString WriteFailure(int err) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("ディスクに空きがありません");
        case EFBIG:
            return QStringLiteral("ファイルの大きさの上限を超えます");
        case EROFS:
            return QStringLiteral("読み取り専用のファイルシステムです");
        case EACCES:
        case EPERM:
            return QStringLiteral("書き込む権限がありません");
        default:
            return QStringLiteral("書き込めません (%1)").arg(qt_error_string(err));
    }
}
