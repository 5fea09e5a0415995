// A failure a handler does not catch becomes the default error box, in the words users have
// always read, whichever layer reported it.
#include "chrome/ErrorTexts.h"
#include "chrome/HandlerGuard.h"
#include "platform/AppInfo.h"
#include "platform/TextConvert.h"
#include "store/StoreError.h"
#include "support/ScriptedBoxes.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(HandlerGuardTest, ErrorsBecomeTheDefaultErrorBoxAndStopTheHandler) {
    ScriptedBoxes boxes;
    bool after = false;
    guarded([&] {
        TextConvert::toInt("1.5");
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("'1.5' is not a valid integer value"));
    EXPECT_EQ(boxes.last().caption, AppInfo::kApplicationTitle);
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);

    guarded([] { throw std::runtime_error("磁盘已满"); });
    EXPECT_EQ(boxes.last().text, QStringLiteral("磁盘已满"));

    boxes.clear();
    guarded([] {});
    EXPECT_EQ(boxes.count(), 0);
}

TEST(ErrorTextsTest, EachKindOfStoreErrorReadsAsBefore) {
    using Kind = StoreError::Kind;
    const StoreError refused(Kind::Refused, {}, "attempt to write a readonly database");
    const struct {
        StoreError error;
        const char* text;
    } cases[] = {
        {refused, "attempt to write a readonly database"},
        {StoreError(Kind::Missing, "/srv/q.mcm"), "找不到数据文件：/srv/q.mcm"},
        {StoreError(Kind::NotOpen), "数据库连接未打开"},
        {StoreError(Kind::UnknownParameter, "p9"), "Parameter 'p9' not found"},
        {StoreError(Kind::UnknownField, "Nope"), "Query: Field 'Nope' not found"},
        {StoreError(Kind::NotAnInteger, "x1"), "'x1' is not a valid integer value"},
        {StoreError(Kind::NotADateTime, "soon"), "'soon' is not a valid date and time"},
        {StoreError(Kind::StoreExists, "/a.mcm"), "文件已存在，不会覆盖：/a.mcm"},
        {StoreError(Kind::TablesExist, "postgresql:///qx", {}, "tbl_user"),
         "数据库中已有表 tbl_user，不会覆盖：postgresql:///qx"},
        {StoreError(Kind::CannotCreate, "/a.mcm", refused),
         "无法创建数据库文件 /a.mcm：attempt to write a readonly database"},
        {StoreError(Kind::CannotCreate, "postgresql:///qx",
                    StoreError(Kind::CopyFailed, "tbl_user", "duplicate key", "1–200")),
         "无法在 postgresql:///qx 创建数据库：tbl_user KeyID 1–200：duplicate key"},
        {StoreError(Kind::CannotConnect, "postgresql:///qx", StoreError(Kind::PasswordInUri)),
         "无法连接 postgresql:///qx：连接地址中不能含密码：密码在登录时输入"},
        {StoreError(Kind::CannotOpenSource, "/old.mcm", StoreError(Kind::NoSuchTable, "tbl_user")),
         "无法打开 /old.mcm：no such table: tbl_user"},
        {StoreError(Kind::BadUri, "postgresql://[::1"), "无法解析连接地址"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ErrorTexts::of(c.error), QString::fromUtf8(c.text));
    }
}

} // namespace
