#pragma once

#include <string>
#include <utility>
#include <variant>

namespace kal {

// Why something did not happen, in the words the user is to see. An empty message is a failure the
// user chose (a password not given, a question declined) and needs no word.
struct Failure {
    std::u16string message;
};

// A value, or the failure that stands in its place. Code below the front ends returns this and never
// shows the failure itself: the caller decides whether and when the user is told.
template <class T, class E = Failure> class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value))
    {
    }
    Result(E error)
        : state_(std::in_place_index<1>, std::move(error))
    {
    }

    [[nodiscard]] bool HasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    // Only when HasValue().
    [[nodiscard]] T& Value() & { return std::get<0>(state_); }
    [[nodiscard]] const T& Value() const& { return std::get<0>(state_); }
    [[nodiscard]] T&& Value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    T& operator*() & { return Value(); }
    const T& operator*() const& { return Value(); }

    [[nodiscard]] T ValueOr(T fallback) && { return HasValue() ? std::move(Value()) : std::move(fallback); }
    [[nodiscard]] T ValueOr(T fallback) const& { return HasValue() ? Value() : std::move(fallback); }

    // Only when !HasValue().
    [[nodiscard]] const E& Error() const { return std::get<1>(state_); }

    // A failure equals no value.
    friend bool operator==(const Result& result, const T& value)
    {
        return result.HasValue() && result.Value() == value;
    }

private:
    std::variant<T, E> state_;
};

// Success, or a failure with its reason.
template <class E = Failure> class [[nodiscard]] BasicStatus {
public:
    BasicStatus() = default;
    BasicStatus(E failure)
        : failed_(true)
        , failure_(std::move(failure))
    {
    }

    [[nodiscard]] bool Succeeded() const { return !failed_; }
    explicit operator bool() const { return Succeeded(); }
    // Only when !Succeeded().
    [[nodiscard]] const E& Error() const { return failure_; }

private:
    bool failed_ = false;
    E failure_;
};
using Status = BasicStatus<Failure>;

} // namespace kal
