#pragma once

// Both programs' windows are built from design tables: one table of
// controls per container (the window itself, or a picture box or page on
// it). Every table lists its container's controls topmost first, as the
// designs list them. A front end creates them in the reverse order, bottom
// first, so that each control lies above the siblings made before it.

#include <span>

namespace glyphboard {

// One container and its design table. `container` is nullptr for the window
// itself; otherwise it names a control of an earlier table, which therefore
// exists before its children are made.
template <typename Control>
struct ContainerDesign {
    const char* container;
    std::span<const Control> controls;
};

// Calls create(container, control) for every control of every container,
// container by container in the order given, and within a container bottom
// first.
template <typename Control, typename Create>
void ForEachControlBottomFirst(std::span<const ContainerDesign<Control>> containers, Create&& create)
{
    for (const ContainerDesign<Control>& container : containers)
        for (auto control = container.controls.rbegin(); control != container.controls.rend(); ++control)
            create(container.container, *control);
}

} // namespace glyphboard
