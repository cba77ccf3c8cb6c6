// Event types shared by components. Portable: no platform types.
#pragma once

#include <functional>

namespace fw {

class Component;

// "Something happened to sender" (click, show, enter, exit ...).
using NotifyEvent = std::function<void(Component* sender)>;

}  // namespace fw
