#pragma once

#include <string>

// Writes numbers into JSON with the digits the forms show: 15 significant digits for a
// double, 6 for a single, "0" for zero of either sign, null for a value without a finite
// value. The rest of the document is the caller's text.
class JsonWriter {
public:
    static std::string real(double value);
    // The shortest decimal that reads back as the same double; "0" and null as above.
    static std::string shortest(double value);
    static std::string single(float value);
    static std::string integer(int value);
    static std::string string(const std::string &text);
};
