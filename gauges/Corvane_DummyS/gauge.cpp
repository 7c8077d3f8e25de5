// Corvane_DummyS: a blank bezel the size of the backup instruments.
#include "frame/elements.hpp"

namespace {
using namespace frame;

constinit TokenTable tokens{};

constinit Chain chain{
    image(0x100),  // 342 x 345 bezel around a near-black screen
};
static_assert(decltype(chain)::size == 1);

constinit auto mouse = mouse_list();
}  // namespace

CORVANE_GAUGE("Corvane_DummyS", tokens, chain, mouse);
