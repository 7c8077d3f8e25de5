// GaugeSound: our stand-in for the outside sound library that every module
// binds at run time. It plays nothing; TerminateSounds counts its calls and
// tells the host, when the host offers the hook, so they can be observed.
#include <cstdint>

extern "C" {
// Offered by the panel host's executable; absent elsewhere.
__attribute__((weak)) void corvane_host_sound_terminated();

namespace {
int32_t terminate_calls = 0;
}

__attribute__((visibility("default"))) void GaugePlaySound() {}
__attribute__((visibility("default"))) void GaugeStopSound() {}
__attribute__((visibility("default"))) void TerminateSounds() {
    ++terminate_calls;
    if (corvane_host_sound_terminated) corvane_host_sound_terminated();
}
__attribute__((visibility("default"))) int32_t GaugeSoundTerminateCalls() { return terminate_calls; }
}
