#include "platform/qt/Services.h"

namespace platform {

QtServices::QtServices() : services_{messages_, files_, print_, shell_, clipboard_, help_, modal_} {}

void QtServices::SetDialogParent(QWidget *parent) {
    messages_.SetParent(parent);
    files_.SetParent(parent);
    print_.SetParent(parent);
}

} // namespace platform
