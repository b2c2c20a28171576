#pragma once

#include <QString>

// The evaluator's tagged value. Dates are days since 30 December 1899, the fraction
// being the time of day; a Logical counts as -1 (true) or 0 (false) in arithmetic.
class Value
{
public:
    enum class Kind : quint8 { Empty, Number, Text, Date, Logical };
    // The width a function produced a number in; it changes only how the number is
    // written (a 32-bit float shows 7 significant digits) and where it overflows.
    enum class NumberType : quint8 { Double, Integer, Long, Single };

    Value() = default;

    static Value number(double d, NumberType type = NumberType::Double)
    {
        Value v;
        v.m_kind = Kind::Number;
        v.m_numberType = type;
        v.m_number = d;
        return v;
    }
    static Value text(QString s)
    {
        Value v;
        v.m_kind = Kind::Text;
        v.m_text = std::move(s);
        return v;
    }
    static Value date(double serial)
    {
        Value v;
        v.m_kind = Kind::Date;
        v.m_number = serial;
        return v;
    }
    static Value logical(bool b)
    {
        Value v;
        v.m_kind = Kind::Logical;
        v.m_number = b ? -1.0 : 0.0;
        return v;
    }

    Kind kind() const { return m_kind; }
    NumberType numberType() const { return m_numberType; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isDate() const { return m_kind == Kind::Date; }
    bool isLogical() const { return m_kind == Kind::Logical; }

    // The numeric payload of a Number, Date or Logical (-1 or 0); 0 for Empty and Text.
    double number() const { return m_number; }
    // The payload of a Text; empty for every other kind.
    const QString &text() const { return m_text; }
    bool logical() const { return m_number != 0.0; }

private:
    Kind m_kind = Kind::Empty;
    NumberType m_numberType = NumberType::Double;
    double m_number = 0.0;
    QString m_text;
};
