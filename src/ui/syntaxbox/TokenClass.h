#pragma once

// What a span of a calculation line is, and so which colour it shows in.
enum class TokenClass {
    Comment = 0,
    FieldReference = 1,
    Placeholder = 2,
    FunctionName = 3,
    Separator = 4,
    PlainWord = 5,
};

// One coloured span of a line: offsets within the line.
struct Token
{
    int start;
    int length;
    TokenClass tokenClass;

    bool operator==(const Token &) const = default;
};
