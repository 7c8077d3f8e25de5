// Tq3_Background: the bezel of the large display screen, a fixed picture.
#include "frame/elements.hpp"

namespace {
using namespace frame;

constinit TokenTable tokens{};

constinit Chain chain{
    image(0x1400),  // 736 x 770 bezel around the near-black screen
};
static_assert(decltype(chain)::size == 1);

constinit auto mouse = mouse_list();
}  // namespace

CORVANE_GAUGE("Tq3_Background", tokens, chain, mouse);
