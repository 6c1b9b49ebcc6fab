#pragma once

namespace forms {
class Form;
}

// Greys a form out while a handler works and gives it back on every way out, the focus
// included: the control that had it has it again, unless the handler gave it to another
// one. A lock taken while another is held on the same form ends with the outer one.
class FormLock {
  public:
    explicit FormLock(forms::Form& form);
    ~FormLock();
    FormLock(const FormLock&) = delete;
    FormLock& operator=(const FormLock&) = delete;

  private:
    forms::Form& form_;
};
