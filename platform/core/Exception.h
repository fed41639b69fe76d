#pragma once
// The system's errors. Every error the system raises derives from Exception and
// carries its message as code page 932 text; the application object shows what
// escapes a handler. Error codes are never returned instead.

#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
  explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
  const std::string& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

// Replaces each "%s" of Pattern, in order, by the next argument; a "%s" with no
// argument left stays as it is. The messages of the system take only texts.
std::string FormatMessage(std::string_view Pattern, std::initializer_list<std::string_view> Args);

// A text that is no whole number where one is required.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A settings file that cannot be written: "%s に書き込めません".
class EIniFileException : public Exception {
public:
  using Exception::Exception;
};

// The per-user registry store failed (unreadable or corrupt store, refused write).
class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

// An index outside a string list.
class EStringListError : public Exception {
public:
  using Exception::Exception;
};

// An index outside a pointer list.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// A layout (form resource) that cannot be read.
class EReadError : public Exception {
public:
  using Exception::Exception;
};

// A resource the executable does not carry.
class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

// The system's message texts, code page 932 at run time.
namespace messages {
inline constexpr const char* kNotAnInteger = "'%s' は整数ではありません";
inline constexpr const char* kCannotWrite = "%s に書き込めません";
inline constexpr const char* kListIndexOutOfBounds =
    "リストのインデックスが範囲を超えています (%s)";
inline constexpr const char* kInvalidPropertyValue = "プロパティの値が無効です";
inline constexpr const char* kResourceNotFound = "リソース %s が見つかりません";
}  // namespace messages
