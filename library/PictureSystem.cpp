#include "library/PictureSystem.h"

#include "library/MenuExtrasSystem.h"

namespace library {
namespace {

std::shared_ptr<PictureSystem>& active() {
    static std::shared_ptr<PictureSystem> system = std::make_shared<MenuExtrasSystem>();
    return system;
}

} // namespace

PictureSystem& activeSystem() {
    return *active();
}

std::shared_ptr<PictureSystem> setActiveSystem(std::shared_ptr<PictureSystem> system) {
    if (!system)
        system = std::make_shared<MenuExtrasSystem>();
    return std::exchange(active(), std::move(system));
}

} // namespace library
