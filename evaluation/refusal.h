// What a step gives: its shown result, or a refusal with the message and the
// title of the box the screen shows. A refusal changes nothing on a screen.
#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace vt::evaluation {

struct Refusal {
    QString message;
    QString title;

    // A refusal with nothing to say: the step has nothing to work on (an empty
    // field where the screen stays silent).
    bool silent() const { return message.isEmpty(); }
    bool operator==(const Refusal&) const = default;
};

template <class T> class Step {
public:
    Step(T value) // NOLINT(google-explicit-constructor): a step gives its result
        : value_(std::move(value)) {}
    Step(Refusal refusal) // NOLINT(google-explicit-constructor): or its refusal
        : refusal_(std::move(refusal)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const Refusal& refusal() const { return refusal_; }

private:
    std::optional<T> value_;
    Refusal refusal_;
};

} // namespace vt::evaluation
