#pragma once

// Walks the main window through every page it can show (channel pages with their sub-pages,
// settings sheets) in a language, as the page buttons and the language switch would show them,
// so that tests and the screenshot tool look at each arrangement.
#include <QApplication>
#include <QTabWidget>
#include <functional>

#include "app/MainWindow.h"
#include "forms/kit/Kit.h"

namespace dsp::testing {

struct TourStop {
    const char* name;
    int page;         // FormPageItem sheet
    int sub;          // EffPageControl or AuxPageCtrol sheet
    int settingsPage; // AdvPageControl1 sheet
};

inline const TourStop kTour[] = {{"music", 0, 0, 0},  {"mic", 1, 0, 1},    {"echo", 2, 0, 2},
                                 {"reverb", 2, 1, 0}, {"output", 3, 0, 0}, {"hint", 4, 0, 1},
                                 {"aux0", 6, 0, 0},   {"aux1", 6, 1, 2},   {"system", 7, 0, 0}};

// Shows every text-bearing kit control in the language (1 Chinese, 0 English).
inline void ShowLanguage(QWidget* form, int lang) {
    for (QWidget* w : form->findChildren<QWidget*>())
        if (KitControl* k = AsKit(w); k && (!k->textZh().isEmpty() || !k->textEn().isEmpty()))
            k->showLanguage(lang);
}

inline void SetShown(QWidget* form, const char* name, bool on) {
    if (QWidget* w = form->findChild<QWidget*>(name))
        w->setVisible(on);
}

// Arranges the window for one stop of the tour.
inline void ShowStop(TForm1& form, const TourStop& s) {
    form.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(s.page);
    form.findChild<QTabWidget*>("EffPageControl")->setCurrentIndex(s.page == 2 ? s.sub : 0);
    form.findChild<QTabWidget*>("AuxPageCtrol")->setCurrentIndex(s.page == 6 ? s.sub : 0);
    form.findChild<QTabWidget*>("AdvPageControl1")->setCurrentIndex(s.settingsPage);
    SetShown(&form, "SingleDiscoGrop", s.page == 3);
    SetShown(&form, "CopyGrop", s.page == 1);
    SetShown(&form, "EQPassGrop", s.page != 6);
    SetShown(&form, "HintModePage", s.page == 4);
    SetShown(&form, "SysHintLoadGrop", s.settingsPage == 2);
    SetShown(&form, "FirstCheckGrop", false);
    QApplication::processEvents();
}

// Calls visit for every stop of the tour in both languages.
inline void Tour(TForm1& form, const std::function<void(const TourStop&, int lang)>& visit) {
    for (int lang : {1, 0}) {
        ShowLanguage(&form, lang);
        for (const TourStop& s : kTour) {
            ShowStop(form, s);
            visit(s, lang);
        }
    }
    ShowLanguage(&form, 1);
}

} // namespace dsp::testing
