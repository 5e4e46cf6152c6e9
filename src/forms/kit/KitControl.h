#pragma once

#include <QString>

class QWidget;

namespace dsp {

// What every control of the kit carries besides its Qt widget: the address or index it stands
// for (Tag), a data or second-language text (Hint) and, for text-bearing controls, its caption
// in both languages. The kit holds no behaviour beyond showing these; handlers live elsewhere.
class KitControl {
public:
    virtual ~KitControl() = default;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    const QString& hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }

    // Chinese and English texts of a text-bearing control (empty for value controls).
    const QString& textZh() const { return textZh_; }
    const QString& textEn() const { return textEn_; }
    void setTexts(const QString& zh, const QString& en) {
        textZh_ = zh;
        textEn_ = en;
    }

    // The caption the control shows now (label text, button text, group title, tab text).
    virtual QString caption() const { return {}; }
    virtual void setCaption(const QString&) {}

    // True for the kinds whose Hint holds the second-language caption, so that a language
    // switch exchanges caption and Hint (plain labels, push buttons, group boxes, tool buttons,
    // tab sheets). Value-bearing kinds keep their Hint.
    virtual bool swapsWithHint() const { return false; }

    // Shows the Chinese (uiLanguage 1) or English (0) text as caption; for the swapping kinds
    // the Hint takes the other language's text.
    void showLanguage(int uiLanguage);

private:
    int tag_ = 0;
    QString hint_;
    QString textZh_;
    QString textEn_;
};

// The kit part of a widget, or nullptr when the widget is not a kit control.
KitControl* AsKit(QWidget* w);
const KitControl* AsKit(const QWidget* w);

} // namespace dsp
