#include "presets/PresetFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace dsp {

namespace {

QString QtPath(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}
std::filesystem::path ToPath(const QString& s) {
    return std::filesystem::path(s.toStdU16String());
}

bool Usable(const ParamFolders& folders) {
    if (!folders.Prepare())
        return false;
    for (const auto& dir : {folders.ModeFolder, folders.HintFolder}) {
        const QFileInfo info(QtPath(dir));
        if (!info.isDir() || !info.isWritable())
            return false;
    }
    return true;
}

bool ReservedDeviceName(const QString& name) {
    const QString base = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList fixed = {"CON", "PRN", "AUX", "NUL"};
    if (fixed.contains(base))
        return true;
    if (base.size() == 4 && (base.startsWith("COM") || base.startsWith("LPT")))
        return base[3] >= QLatin1Char('1') && base[3] <= QLatin1Char('9');
    return false;
}

} // namespace

PresetFolderChoice ChooseParamFolders(const QString& programFolder, const QString& appDataFolder) {
    PresetFolderChoice choice{ParamFolders(ToPath(programFolder)), false, false};
    if (Usable(choice.Folders)) {
        choice.Ready = true;
        return choice;
    }
    const QString appData = appDataFolder.isEmpty()
                                ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                : appDataFolder;
    if (appData.isEmpty())
        return choice;
    choice.Folders = ParamFolders(ToPath(appData));
    choice.InAppData = true;
    choice.Ready = Usable(choice.Folders);
    return choice;
}

QString ParamFileNameProblem(const QString& name, bool chinese) {
    bool bad = name.isEmpty() || name.startsWith(QLatin1Char('.')) ||
               name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')) ||
               name.contains(QLatin1String("..")) || name.toUtf8().size() > 200 ||
               ReservedDeviceName(name);
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
            bad = true;
    }
    if (!bad)
        return {};
    if (chinese)
        return QStringLiteral("文件名无效: \"%1\"\n文件名不能以点开头或以点、空格结尾, 不能含有 "
                              "\"..\"、路径分隔符或 \\ / : * ? \" < > | 等字符。")
            .arg(name);
    return QStringLiteral("Invalid file name: \"%1\"\nA file name may not begin with a dot, end "
                          "with a dot or a space, or contain \"..\", a path separator or any of "
                          "\\ / : * ? \" < > |.")
        .arg(name);
}

} // namespace dsp
