#pragma once

#include <QString>

// Names the program shows to the user and to the platform.
namespace AppInfo {
inline const QString kApplicationTitle = QStringLiteral("橙岭定时提醒系统V1.0");
inline const QString kNoticeCaption = QStringLiteral("系统提示");
inline const QString kSupplierName = QStringLiteral("橙岭软件工作室");
inline const QString kSupplierPhone = QStringLiteral("0571-88886666");
// Names the desktop entry, the icon and the AppStream component of an installed program.
inline const QString kDesktopFileName = QStringLiteral("cn.chengling.QxReminder");
inline const QString kSupplierWebPage = QStringLiteral("https://www.example.com/chengling/");
} // namespace AppInfo
