#pragma once
// The error classes the whole program raises. Every error carries a readable message;
// the application's exception handler shows it, and the program goes on.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string &message)
        : std::runtime_error(message)
    { }
    std::string Message() const { return what(); }
};

// Raised to leave an operation quietly: the exception handler shows nothing for it.
class EAbort : public Exception
{
    using Exception::Exception;
};

class EStreamError : public Exception
{
public:
    // Why a file could not be used, beyond a failing system call.
    enum class TCause : uint8_t {
        System, // ErrorCode says why (0: not known)
        NotAFile, // a folder, device, pipe or socket
        TooLarge, // larger than FileUtils::MaxFileSize
    };
    explicit EStreamError(const std::string &message, int errorCode = 0,
                          TCause cause = TCause::System)
        : Exception(message)
        , ErrorCode(errorCode)
        , Cause(cause)
    { }
    int ErrorCode; // errno of the failing call, 0 when none
    TCause Cause;
};
// A file could not be opened for reading ("Cannot open file %s", "Dictionary not found: %s.").
class EFOpenError : public EStreamError
{
    using EStreamError::EStreamError;
};
// A file could not be created or written ("Cannot create file %s").
class EFCreateError : public EStreamError
{
    using EStreamError::EStreamError;
};
// A control of a kind the spell checker cannot read ("Unknown control error.").
class EClassNotFound : public EStreamError
{
    using EStreamError::EStreamError;
};

// Reading, positioning or closing an open file failed, or a file ended too early.
class EInOutError : public Exception
{
public:
    EInOutError(const std::string &message, int errorCode)
        : Exception(message)
        , ErrorCode(errorCode)
    { }
    int ErrorCode; // errno of the failure, 0 when the file simply ended
};

class EIntError : public Exception
{
    using Exception::Exception;
};
class ERangeError : public EIntError
{
public:
    // Remembers the code address that raised it, for the error report.
    __attribute__((noinline)) ERangeError()
        : EIntError("Range check error")
        , ExceptAddr(__builtin_return_address(0))
    { }
    void *ExceptAddr;
};
class EIntOverflow : public EIntError
{
public:
    // Remembers the code address that raised it, for the error report.
    __attribute__((noinline)) EIntOverflow()
        : EIntError("Integer overflow")
        , ExceptAddr(__builtin_return_address(0))
    { }
    void *ExceptAddr;
};
class EDivByZero : public EIntError
{
public:
    EDivByZero()
        : EIntError("Division by zero")
    { }
};

// A dictionary file whose identification does not match, or whose nodes are damaged.
class TEDictionaryCorrupt : public Exception
{
public:
    TEDictionaryCorrupt()
        : Exception("Dictionary Corrupt.")
    { }
    // The message stays the same; the detail is for the tools that build dictionaries.
    explicit TEDictionaryCorrupt(std::string detail)
        : Exception("Dictionary Corrupt.")
        , Detail(std::move(detail))
    { }
    std::string Detail; // what is damaged, empty when only the identification differs
};
