#pragma once

#include <QString>

// What a numeric cell accepts, from the column's maximum length m read as digits:
// m rounded to a whole number is the most characters before the point (a sign
// included), the number written after the point in m's text form the most digits
// after it (9.2: nine and two; 20: twenty and no point). m of 0 or less allows any
// number of digits and one point. A sign can only stand first.
class NumericFilter {
  public:
    explicit NumericFilter(float maxLength);

    // Whether typing or pasting inserted into text, over the selection at selStart of
    // selLength characters, gives an acceptable text. A sign typed alone is accepted
    // only when nothing remains outside the selection.
    bool Accepts(const QString& text, int selStart, int selLength, const QString& inserted) const;
    // Whether a whole text is acceptable: only digits, one point, a leading "-", and
    // within the lengths.
    bool IsValid(const QString& text) const;

    int WholePlaces() const { return whole_; }
    int DecimalPlaces() const { return decimals_; }

    // Full-width digits, point and minus signs (as the input method types them) as
    // their ASCII forms.
    static QString Narrowed(const QString& text);

  private:
    bool limited_;
    int whole_;
    int decimals_;
};
