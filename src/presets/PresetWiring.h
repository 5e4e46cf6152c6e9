#pragma once

#include <QObject>
#include <memory>

#include "presets/FilesController.h"
#include "presets/ModesController.h"
#include "presets/PresetUi.h"

namespace dsp {

class LinkDriver;
class TForm1;

// The device modes and parameter files of the main window, wired in: the controllers, their
// message boxes and the show-time hook that creates the folders and lists the files.
// Owned by the main window.
class PresetWiring : public QObject {
    Q_OBJECT
public:
    // driver is the program's link; without one the controllers work on the window's own
    // tables and an offline link (nothing is sent).
    PresetWiring(TForm1& form, LinkDriver* driver);
    ~PresetWiring() override;

    ModesController& Modes() { return *modes_; }
    FilesController& Files() { return *files_; }
    // Message boxes, questions and the interface language (rewire UiLanguage to the
    // program's language choice).
    PresetUi& Ui() { return ui_; }

private:
    PresetUi ui_;
    std::unique_ptr<PresetLink> link_;
    std::unique_ptr<ModesController> modes_;
    std::unique_ptr<FilesController> files_;
};

// Installs the presets in the main window (before it is first shown). Wire the link's
// ModeListChanged to Modes().ModeListChanged, and the page refresh to Modes().FillModeLists()
// and Modes().ShowFactoryButtons().
PresetWiring* InstallPresets(TForm1& form, LinkDriver* driver);

} // namespace dsp
