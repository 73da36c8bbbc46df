// Failures of file and dialog operations travel as run-time errors with a description and a
// number; the operation that started a step catches them and reports them.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace velquor {

class RunTimeError : public std::exception {
  public:
    RunTimeError(std::wstring description, unsigned long number)
        : description_(std::move(description)), number_(number) {}

    const std::wstring& Description() const { return description_; }
    unsigned long Number() const { return number_; }
    const char* what() const noexcept override { return "velquor run-time error"; }

  private:
    std::wstring description_;
    unsigned long number_;
};

// The description, " (Code ", the number in decimal, ")".
std::wstring DescribeError(const RunTimeError& error);

// The same for a failure about one object (a file, a program): the inserts a system text carries
// ("%1") name it.
std::wstring DescribeError(const RunTimeError& error, std::wstring_view objectName);

// A system text with every insert naming the object, filled in one pass.
std::wstring WithInsertsFilled(std::wstring_view systemText, std::wstring_view objectName);

}  // namespace velquor
