#pragma once

#include <QString>
#include <cstdint>
#include <exception>

namespace vb {

// The run-time errors the language runtime raises. Routines of the system trap them
// and turn them into their own result codes; they never leave a component.
enum ErrorNumber : int32_t {
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errDivisionByZero = 11,
    errSubscriptOutOfRange = 9,
    errTypeMismatch = 13,
    errInvalidPatternString = 93,
    errInvalidUseOfNull = 94,
};

class RuntimeError : public std::exception {
  public:
    RuntimeError(int32_t number, QString description)
        : number_(number), description_(std::move(description)) {}
    explicit RuntimeError(ErrorNumber number);

    int32_t number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return "vb::RuntimeError"; }

  private:
    int32_t number_;
    QString description_;
};

// The runtime's own text for one of its error numbers.
QString errorDescription(ErrorNumber number);

}  // namespace vb
