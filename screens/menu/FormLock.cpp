#include "FormLock.h"

#include "platform/forms/Form.h"

FormLock::FormLock(forms::Form& form) : form_(form) {
    form_.BeginWork();
}

FormLock::~FormLock() {
    form_.EndWork();
}
