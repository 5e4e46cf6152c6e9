#pragma once

#include <QLocale>
#include <QString>
#include <vector>

#include "params/InputNames.h"
#include "params/Variant.h"

namespace dsp {

// A text of the user interface in both languages.
using LangPair = TextPair;

// The text of a pair in the language given (1 Chinese, 0 English).
QString LangText(const LangPair& pair, int uiLanguage);

// A control whose caption a language switch sets from a fixed pair (bitmap buttons and other
// controls whose Hint carries data, so they cannot exchange caption and Hint).
struct ExplicitText {
    const char* Name;
    LangPair Text;
};

// The fixed texts of the main window for a variant. LinkBtn is not in the list: its text
// follows the link state (LinkButtonText).
const std::vector<ExplicitText>& ExplicitTexts(Variant variant);

// LinkBtn: "断开" / "Unlink" while the link is up, "联机" / "Link" otherwise.
LangPair LinkButtonText(bool linkUp);

// Texts of the device-status dialog.
constexpr LangPair kWarnText = {"请稍等,可能需要几秒钟才能完成操作！", "Please Wait for a moment!"};
constexpr LangPair kStatusCaption = {"设备状态", "Device Staus"};

// Pop-up menu items: delete a file; copy the output shown to output n (the number follows).
constexpr LangPair kDeleteText = {"刪除", "Delete"};
constexpr LangPair kCopyText = {"复制到输出", "Copy to Out"};

// Language identifier of a locale as four hexadecimal digits, as the system reports it for
// the user default locale: Chinese in simplified script "0804", in traditional script "0404";
// a few other common languages their primary identifier (English "0409"); "0000" otherwise.
QString LanguageIdOf(const QLocale& locale);
// The identifier of the user's locale, read once by whoever needs it at start.
QString UserLanguageId();
// The language the program starts in for an identifier: 1 (Chinese) for "0804" and "0404",
// 0 (English) for every other.
int StartLanguageOf(const QString& languageId);

} // namespace dsp
