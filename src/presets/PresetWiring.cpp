#include "presets/PresetWiring.h"

#include "app/MainWindow.h"
#include "link/LinkContext.h"

namespace dsp {

namespace {

// A link that never comes up, over the window's own tables: saving and loading files work,
// recalls only change the tables.
class OfflinePresetLink final : public PresetLink {
public:
    OfflinePresetLink(TForm1& form)
        : ctx_{form.params(), form.pageState(), vars_, ports_, form.variant()} {}
    LinkContext& Context() override { return ctx_; }

private:
    LinkVars vars_;
    LinkPorts ports_;
    LinkContext ctx_;
};

} // namespace

PresetWiring::PresetWiring(TForm1& form, LinkDriver* driver) : QObject(&form) {
    if (driver)
        link_ = std::make_unique<DriverPresetLink>(*driver);
    else
        link_ = std::make_unique<OfflinePresetLink>(form);
    modes_ = std::make_unique<ModesController>(form, *link_, ui_);
    files_ = std::make_unique<FilesController>(form, *link_, ui_, form.variant());
    files_->WindowShown = [&form] { return form.Shown(); };
    form.hooks().PreparePresetFiles = [this](const QString& modeRoot) {
        files_->PreparePresetFiles(modeRoot);
    };
}

PresetWiring::~PresetWiring() = default;

PresetWiring* InstallPresets(TForm1& form, LinkDriver* driver) {
    return new PresetWiring(form, driver);
}

} // namespace dsp
