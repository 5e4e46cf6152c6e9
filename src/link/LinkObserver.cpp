#include "link/LinkObserver.h"

namespace dsp {

LinkObserver& NoLinkObserver() {
    static LinkObserver none;
    return none;
}

ViewHooks& NoViewHooks() {
    static ViewHooks none;
    return none;
}

LinkEndpoints& NoLinkEndpoints() {
    static LinkEndpoints none;
    return none;
}

} // namespace dsp
