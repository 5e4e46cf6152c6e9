#include "app/LangTexts.h"

namespace dsp {

QString LangText(const LangPair& pair, int uiLanguage) {
    return QString::fromUtf8(uiLanguage == 1 ? pair.Chinese : pair.English);
}

namespace {

// Rows both variants share.
const ExplicitText kCommon[] = {
    {"PinPPBtn", {"频谱", "Spectrum"}},
    {"PinDCFBtn", {"低触发", "Normal"}},
    {"SameBtn", {"同步", "SYNC"}},
    {"EQResetBtn", {"EQ重置", "EQ Reset"}},
    {"ManulModeBtn", {"手动", "Manual"}},
    {"AutoModeBtn", {"自动", "Auto"}},
    {"SingModeBtn", {"唱歌", "Sing"}},
    {"DiscoModeBtn", {"热舞", "Disco"}},
    {"SysLoadModeBtn", {"调用设备模式", "Load Mode"}},
    {"SysLoad2ModeBtn", {"调用设备模式", "Load Mode"}},
    {"SysSaveModeBtn", {"保存设备模式", "Save Mode"}},
    {"SysSave2ModeBtn", {"保存设备模式", "Save Mode"}},
    {"RzBmpButton118", {"确定", "OK"}},
    {"RzBmpButton22", {"确定", "OK"}},
    {"RzBmpButton23", {"修改", "Modify"}},
    {"RzBmpButton24", {"单模式参数", "Alone Mode File"}},
    {"RzBmpButton25", {"整机参数", "All Mode File"}},
    {"RzBmpButton119", {"上传数据到设备", "Load File data"}},
    {"HintLoadPCBtn", {"上传数据到设备", "Load File data"}},
    {"RzBmpButton120", {"保存数据到电脑", "Save Data to PC"}},
    {"HintSavetoPCBtn", {"保存数据到电脑", "Save Data to PC"}},
    {"SysPanelBtn2", {"启用", "Enable"}},
    {"SysVolRunBtn2", {"启用", "Enable"}},
    {"SysPanelBtn1", {"禁用", "Disable"}},
    {"SysVolRunBtn1", {"禁用", "Disable"}},
    // The gate prompt is a status pane, whose kind keeps its Hint: it takes its text here.
    {"RzStatusPane2", {"输入解锁密码：", "Unlock password:"}},
};

std::vector<ExplicitText> Build(Variant v) {
    std::vector<ExplicitText> list(std::begin(kCommon), std::end(kCommon));
    if (v == Variant::A) {
        list.push_back({"MainRmuteBtn", {"右静音", "R Mute"}});
    } else {
        list.push_back({"MainLmuteBtn", {"静音", "MUTE"}});
        list.push_back({"SysLRBtn1", {"启用", "Enable"}});
        list.push_back({"SysLRBtn2", {"禁用", "Disable"}});
    }
    return list;
}

} // namespace

const std::vector<ExplicitText>& ExplicitTexts(Variant variant) {
    static const std::vector<ExplicitText> a = Build(Variant::A);
    static const std::vector<ExplicitText> b = Build(Variant::B);
    return variant == Variant::A ? a : b;
}

LangPair LinkButtonText(bool linkUp) {
    return linkUp ? LangPair{"断开", "Unlink"} : LangPair{"联机", "Link"};
}

QString LanguageIdOf(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript ? "0404" : "0804";
    case QLocale::English:
        return "0409";
    case QLocale::German:
        return "0407";
    case QLocale::French:
        return "040C";
    case QLocale::Japanese:
        return "0411";
    case QLocale::Korean:
        return "0412";
    case QLocale::Russian:
        return "0419";
    case QLocale::Spanish:
        return "0C0A";
    default:
        return "0000";
    }
}

QString UserLanguageId() {
    return LanguageIdOf(QLocale::system());
}

int StartLanguageOf(const QString& languageId) {
    return languageId == QLatin1String("0804") || languageId == QLatin1String("0404") ? 1 : 0;
}

} // namespace dsp
