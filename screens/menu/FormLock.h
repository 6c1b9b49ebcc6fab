#pragma once

namespace forms {
class Form;
}

// Disables a form while a handler works and enables it again on every way out.
class FormLock {
  public:
    explicit FormLock(forms::Form& form);
    ~FormLock();
    FormLock(const FormLock&) = delete;
    FormLock& operator=(const FormLock&) = delete;

  private:
    forms::Form& form_;
};
