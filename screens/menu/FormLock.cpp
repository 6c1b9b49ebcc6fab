#include "FormLock.h"

#include "platform/forms/Form.h"

FormLock::FormLock(forms::Form& form) : form_(form) {
    form_.SetEnabled(false);
}

FormLock::~FormLock() {
    form_.SetEnabled(true);
}
