#include "chrome/ErrorTexts.h"

#include "platform/TextConvert.h"
#include "store/Connection.h"
#include "store/StoreError.h"

namespace {
// The reason behind a failure that wraps another: the other's words, or the engine's.
QString reasonOf(const StoreError& error) {
    return error.cause() ? ErrorTexts::of(*error.cause()) : error.engineMessage();
}
} // namespace

QString ErrorTexts::of(const StoreError& error) {
    using Kind = StoreError::Kind;
    const QString& subject = error.subject();
    switch (error.kind()) {
    case Kind::Refused:
    case Kind::Busy:
    case Kind::Unreachable:
        return error.engineMessage();
    case Kind::Missing:
        return QStringLiteral("找不到数据文件：%1").arg(subject);
    case Kind::NotOpen:
        return QStringLiteral("数据库连接未打开");
    case Kind::UnsupportedStatement:
        return QStringLiteral("不支持的语句：%1").arg(subject);
    case Kind::UnknownParameter:
        return QStringLiteral("Parameter '%1' not found").arg(subject);
    case Kind::UnknownField:
        return QStringLiteral("Query: Field '%1' not found").arg(subject);
    case Kind::ClosedResult:
        return QStringLiteral("Query: Cannot perform this operation on a closed dataset");
    case Kind::NotAnInteger:
        return QStringLiteral("'%1' is not a valid integer value").arg(subject);
    case Kind::NotADateTime:
        return QStringLiteral("'%1' is not a valid date and time").arg(subject);
    case Kind::NoSuchTable:
        return QStringLiteral("no such table: %1").arg(subject);
    case Kind::StoreExists:
        return QStringLiteral("文件已存在，不会覆盖：%1").arg(subject);
    case Kind::TablesExist:
        return QStringLiteral("数据库中已有表 %1，不会覆盖：%2").arg(error.detail(), subject);
    case Kind::CannotCreate:
        if (Connection::engineOf(subject) == Engine::Sqlite)
            return QStringLiteral("无法创建数据库文件 %1：%2").arg(subject, reasonOf(error));
        return QStringLiteral("无法在 %1 创建数据库：%2").arg(subject, reasonOf(error));
    case Kind::CannotConnect:
        return QStringLiteral("无法连接 %1：%2").arg(subject, reasonOf(error));
    case Kind::CannotOpenSource:
        return QStringLiteral("无法打开 %1：%2").arg(subject, reasonOf(error));
    case Kind::CopyFailed:
        return QStringLiteral("%1 KeyID %2：%3")
            .arg(subject, error.detail(), error.engineMessage());
    case Kind::CannotUpgrade:
        return QStringLiteral("无法升级 %1：%2").arg(subject, reasonOf(error));
    case Kind::NoDriver:
        return QStringLiteral("没有 PostgreSQL 的 Qt SQL 驱动（%1）").arg(subject);
    case Kind::BadUri:
        return error.engineMessage().isEmpty() ? QStringLiteral("无法解析连接地址")
                                               : error.engineMessage();
    case Kind::PasswordInUri:
        return QStringLiteral("连接地址中不能含密码：密码在登录时输入");
    case Kind::SemicolonInUri:
        return QStringLiteral("连接地址的参数 %1 不能含分号").arg(subject);
    case Kind::UserInUri:
        return QStringLiteral("连接地址中不能指定用户（%1）：用户由登录时的账号决定").arg(subject);
    case Kind::ForbiddenUriParameter:
        return QStringLiteral("连接地址不能使用参数 %1").arg(subject);
    case Kind::WrongPassword:
        return QStringLiteral("用户名或者密码错误！");
    case Kind::ServerSilent:
        return QStringLiteral("数据库服务器在 %1 秒内没有应答").arg(subject);
    case Kind::NotUpgraded:
        return QStringLiteral("此数据库由旧版本创建，请先升级：qxreminder-newstore --upgrade %1")
            .arg(subject);
    }
    return error.engineMessage();
}

QString ErrorTexts::of(const std::exception& error) {
    if (const auto* storeError = dynamic_cast<const StoreError*>(&error))
        return of(*storeError);
    if (const auto* conversion = dynamic_cast<const ConversionError*>(&error))
        return QStringLiteral("'%1' is not a valid integer value").arg(conversion->text());
    return QString::fromUtf8(error.what());
}

QString ErrorTexts::missingNotice(const QString& storePath) {
    return QStringLiteral("找不到数据文件：%1\n提醒已暂停，数据文件恢复后将自动继续。")
        .arg(storePath);
}

QString ErrorTexts::busyNotice(const StoreError& error) {
    return QStringLiteral("数据文件被占用已超过一分钟，暂时无法检查提醒，稍后自动重试。\n") +
           of(error);
}

QString ErrorTexts::failureNotice(const QString& reason) {
    return QStringLiteral("读取数据文件失败，稍后自动重试。\n") + reason;
}

QString ErrorTexts::connectionFailure(const StoreError& error) {
    const QString reason = of(error);
    return QStringLiteral("连接数据库失败,请重新配置数据库信息！") +
           (reason.isEmpty() ? QString() : QLatin1Char('\n') + reason);
}
