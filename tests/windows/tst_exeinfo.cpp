// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows itself reads from the built program, asked through its own functions (under
// Wine here): the version information that the file's properties show, and the icon that
// Explorer, the Start menu and the taskbar show.

#include <QTest>

#include <windows.h>

#include <vector>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif
#ifndef RB_VERSION
#error "RB_VERSION must give the program's version"
#endif

namespace {

const std::wstring kProgram = QString::fromUtf8(RB_PROGRAM).toStdWString();

// The program's version resource, as the properties dialog reads it.
std::vector<char> versionResource() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoW(kProgram.c_str(), 0, size, data.data())) {
        return {};
    }
    return data;
}

QString versionString(const std::vector<char>& data, const char* key) {
    const std::wstring path =
        QStringLiteral("\\StringFileInfo\\040704B0\\%1").arg(QLatin1String(key)).toStdWString();
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return QString::fromWCharArray(static_cast<const wchar_t*>(value)).trimmed();
}

} // namespace

class TestExeInfo : public QObject {
    Q_OBJECT

private slots:
    void versionStrings_data();
    void versionStrings();
    void fixedVersionIsTheProgramsVersion();
    void iconAtTheSizesWindowsAsksFor_data();
    void iconAtTheSizesWindowsAsksFor();
};

void TestExeInfo::versionStrings_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QString version = QStringLiteral(RB_VERSION);
    QTest::addRow("ProductName") << "ProductName" << QStringLiteral("Räuber-Beute Modell");
    QTest::addRow("FileDescription") << "FileDescription" << QStringLiteral("Räuber-Beute Modell");
    QTest::addRow("ProductVersion") << "ProductVersion" << version;
    QTest::addRow("FileVersion") << "FileVersion" << version;
    QTest::addRow("OriginalFilename") << "OriginalFilename"
                                      << "raeuber-beute.exe";
    QTest::addRow("LegalCopyright")
        << "LegalCopyright"
        << QStringLiteral("Freie Software unter der GNU GPL, Version 3 oder neuer");
}

void TestExeInfo::versionStrings() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    const std::vector<char> data = versionResource();
    QVERIFY2(!data.empty(), "the program has no version information");
    QCOMPARE(versionString(data, key.toLatin1().constData()), value);
}

// The numbers Explorer sorts and compares by.
void TestExeInfo::fixedVersionIsTheProgramsVersion() {
    const std::vector<char> data = versionResource();
    void* value = nullptr;
    UINT length = 0;
    QVERIFY(!data.empty() && VerQueryValueW(data.data(), L"\\", &value, &length));
    QCOMPARE(length, UINT(sizeof(VS_FIXEDFILEINFO)));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    QCOMPARE(QStringLiteral("%1.%2.%3")
                 .arg(HIWORD(fixed->dwFileVersionMS))
                 .arg(LOWORD(fixed->dwFileVersionMS))
                 .arg(HIWORD(fixed->dwFileVersionLS)),
             QStringLiteral(RB_VERSION));
    QCOMPARE(fixed->dwFileType, DWORD(VFT_APP));
}

void TestExeInfo::iconAtTheSizesWindowsAsksFor_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 256}) {
        QTest::addRow("%d", size) << size;
    }
}

// The icon group holds each size itself, so that Windows scales none of them.
void TestExeInfo::iconAtTheSizesWindowsAsksFor() {
    QFETCH(int, size);
    HMODULE module = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    QVERIFY2(module, "cannot read the program's resources");
    HRSRC group = FindResourceW(module, L"IDI_ICON1", MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    QVERIFY2(group, "the program has no icon");
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    QVERIFY(directory);
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    QVERIFY(id != 0);
    HRSRC picture = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)); // RT_ICON
    QVERIFY(picture);
    HICON icon = CreateIconFromResourceEx(
        static_cast<BYTE*>(LockResource(LoadResource(module, picture))),
        SizeofResource(module, picture), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    QVERIFY2(icon, "Windows cannot read the icon picture");
    ICONINFO info{};
    QVERIFY(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    QVERIFY(GetObjectW(info.hbmColor, sizeof bitmap, &bitmap));
    QCOMPARE(int(bitmap.bmWidth), size);
    QCOMPARE(int(bitmap.bmHeight), size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    FreeLibrary(module);
}

QTEST_APPLESS_MAIN(TestExeInfo)
#include "tst_exeinfo.moc"
