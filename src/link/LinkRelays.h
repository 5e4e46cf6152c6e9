#pragma once

#include "link/LinkObserver.h"

namespace dsp {

// LinkContext holds its observer, view hooks and endpoints by reference, fixed when the
// context is made; the windows that implement them are made later. These relays stand in the
// context from the start and forward to whatever target is set (nothing while none is).
class LinkObserverRelay final : public LinkObserver {
public:
    void SetTarget(LinkObserver* target) { t_ = target; }
    void ShowPitch(int v) override { T().ShowPitch(v); }
    void ShowMessage(std::string_view c, std::string_view e) override { T().ShowMessage(c, e); }
    void DeviceIdChanged(const std::string& id) override { T().DeviceIdChanged(id); }
    void LinkLabelWindow(std::string_view c, std::string_view e) override {
        T().LinkLabelWindow(c, e);
    }
    void SetLinkLabelColour(LinkColour c) override { T().SetLinkLabelColour(c); }
    void SetLinkButtonsActive(bool a) override { T().SetLinkButtonsActive(a); }
    void ShowStatusDialog(int p) override { T().ShowStatusDialog(p); }
    void HideStatusDialog() override { T().HideStatusDialog(); }
    void SetComLabel(std::string_view s) override { T().SetComLabel(s); }
    void LinkOnline() override { T().LinkOnline(); }
    void ModeListChanged(int bank) override { T().ModeListChanged(bank); }
    void TimersChanged() override { T().TimersChanged(); }

private:
    LinkObserver& T() { return t_ ? *t_ : NoLinkObserver(); }
    LinkObserver* t_ = nullptr;
};

class ViewHooksRelay final : public ViewHooks {
public:
    void SetTarget(ViewHooks* target) { t_ = target; }
    void SetMusicGainEnabled(bool e) override { T().SetMusicGainEnabled(e); }
    void RebindRightChannel(int s) override { T().RebindRightChannel(s); }
    void RebindAuxGains() override { T().RebindAuxGains(); }

private:
    ViewHooks& T() { return t_ ? *t_ : NoViewHooks(); }
    ViewHooks* t_ = nullptr;
};

class LinkEndpointsRelay final : public LinkEndpoints {
public:
    void SetTarget(LinkEndpoints* target) { t_ = target; }
    int ComSelection() const override { return T().ComSelection(); }
    void SelectComPort(int line) override { T().SelectComPort(line); }
    bool OpenSelectedComPort() override { return T().OpenSelectedComPort(); }
    std::string SelectedComPortName() const override { return T().SelectedComPortName(); }
    void TcpConnect() override { T().TcpConnect(); }
    void TcpClose() override { T().TcpClose(); }

private:
    LinkEndpoints& T() const { return t_ ? *t_ : NoLinkEndpoints(); }
    LinkEndpoints* t_ = nullptr;
};

} // namespace dsp
