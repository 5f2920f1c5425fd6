#include "ui/DialogResource.h"

namespace kal {

const ControlResource* DialogResource::Find(int controlId) const
{
    for (const ControlResource& control : controls) {
        if (control.id == controlId && controlId != 0)
            return &control;
    }
    return nullptr;
}

} // namespace kal
