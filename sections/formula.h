// The language a section's formulas are written in, once: small expression
// objects that evaluate themselves and write themselves as the calculation
// sheet prints them.
//
//     Step{Q, (x * 2) + y}
//
// is the step that forms the quantity Q from a quantity x that a step before
// it formed and from an input y. Evaluated, every operator is one
// rounding step of the number type (FiniteOrNan for the defining evaluation,
// UncheckedNumber for the fast one), in the tree the C++ expression builds:
// operations of equal rank from the left, each parenthesis completed before
// its value is used. A quantity formed by an earlier step stands for the very
// value that step recorded. Written, every operand that is itself an operation
// is put in parentheses, so the printed text has the same tree; chain() writes
// the sums and differences along its left edge without them, which reads the
// same from left to right.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "sections/finite_or_nan.h"
#include "sections/input_field.h"
#include "sections/quantity.h"
#include "sections/section_shape.h"
#include "sections/terms.h"
#include "sections/unchecked_number.h"

namespace dravik::sections {

// π as the formulas use it: this constant, not the full-precision value.
inline constexpr double kPi = 3.1415926;

namespace formula {

// Which quantities the steps before the one being bound have formed.
using Formed = std::array<bool, kTermCount>;

// Reports a mistake in a definition while it is bound at compile time: a
// throw makes the constant evaluation, and so the build, fail.
constexpr void require(bool holds, const char* what) {
    if (!holds) throw what;
}

struct Pi {
    static constexpr std::string_view kSymbol = "π";
    static constexpr std::size_t kTokens = 1;
    template <class Values>
    constexpr auto eval(const double*, const Values&) const {
        return typename Values::Number(kPi);
    }
    constexpr void write(Token*& out) const { *out++ = {Token::Kind::Symbol, kSymbol}; }
    constexpr void bind(std::span<const InputField>, const Formed&) {}
};
inline constexpr Pi pi;

// A constant of the formula, written as the shortest text that reads back as it.
struct Number {
    double value;
    static constexpr std::size_t kTokens = 1;
    template <class Values>
    constexpr auto eval(const double*, const Values&) const {
        return typename Values::Number(value);
    }
    constexpr void write(Token*& out) const { *out++ = {Token::Kind::Number, {}, value}; }
    constexpr void bind(std::span<const InputField>, const Formed&) {}
};

// An input, named by the symbol of its field (InputField::symbol); its place
// in the shape's input table is found when the shape binds its formulas.
struct Input {
    std::string_view symbol;
    std::size_t position = 0;
    static constexpr std::size_t kTokens = 1;
    template <class Values>
    constexpr auto eval(const double* inputs, const Values&) const {
        return typename Values::Number(inputs[position]);
    }
    constexpr void write(Token*& out) const { *out++ = {Token::Kind::Symbol, symbol}; }
    constexpr void bind(std::span<const InputField> inputs, const Formed&) {
        std::size_t i = 0;
        while (i < inputs.size() && inputs[i].symbol != symbol) ++i;
        require(i < inputs.size(), "the shape has no input of this symbol");
        position = i;
    }
};

// A quantity a step forms: its symbol, what the sheet calls it, and its unit.
// In a formula it stands for the value recorded when it was formed.
struct Quantity {
    Term term;
    std::string_view symbol;
    std::string_view name;
    std::string_view unit;
    static constexpr std::size_t kTokens = 1;
    template <class Values>
    constexpr auto eval(const double*, const Values& v) const {
        return v.recorded(term);
    }
    constexpr void write(Token*& out) const { *out++ = {Token::Kind::Symbol, symbol}; }
    constexpr void bind(std::span<const InputField>, const Formed& formed) {
        require(formed[static_cast<std::size_t>(term)], "a quantity is used before a step forms it");
    }
};

template <class E>
inline constexpr bool kIsOperation = false;

// Tokens of `e` written as an operand: an operation in parentheses.
template <class E>
constexpr void writeOperand(const E& e, Token*& out) {
    if constexpr (kIsOperation<E>) *out++ = {Token::Kind::Text, "("};
    e.write(out);
    if constexpr (kIsOperation<E>) *out++ = {Token::Kind::Text, ")"};
}
template <class E>
inline constexpr std::size_t kOperandTokens = E::kTokens + (kIsOperation<E> ? 2 : 0);

template <char Op, class L, class R>
struct Operation {
    L left;
    R right;
    static constexpr std::size_t kTokens = kOperandTokens<L> + 1 + kOperandTokens<R>;
    static constexpr std::string_view kText = Op == '*' ? " × " : Op == '/' ? " / " : Op == '+' ? " + " : " - ";

    template <class Values>
    [[gnu::always_inline]] constexpr auto eval(const double* inputs, const Values& v) const {
        const auto x = left.eval(inputs, v);
        const auto y = right.eval(inputs, v);
        if constexpr (Op == '*') return x * y;
        if constexpr (Op == '/') return x / y;
        if constexpr (Op == '+') return x + y;
        if constexpr (Op == '-') return x - y;
    }
    constexpr void write(Token*& out) const {
        writeOperand(left, out);
        *out++ = {Token::Kind::Text, kText};
        writeOperand(right, out);
    }
    constexpr void bind(std::span<const InputField> inputs, const Formed& formed) {
        left.bind(inputs, formed);
        right.bind(inputs, formed);
    }
};
template <char Op, class L, class R>
inline constexpr bool kIsOperation<Operation<Op, L, R>> = true;

template <class E>
inline constexpr bool kIsSum = false;
template <class L, class R>
inline constexpr bool kIsSum<Operation<'+', L, R>> = true;
template <class L, class R>
inline constexpr bool kIsSum<Operation<'-', L, R>> = true;

// A sum written as a chain: the same left-to-right tree, printed
// "x + (2 × y) - z" instead of "(x + (2 × y)) - z".
template <class E>
struct Chain {
    static_assert(kIsSum<E>, "a chain is a sum or a difference");
    E sum;

    template <class S>
    static constexpr std::size_t tokensAlong() {
        if constexpr (kIsSum<S>)
            return tokensAlong<decltype(S::left)>() + 1 + kOperandTokens<decltype(S::right)>;
        else
            return kOperandTokens<S>;
    }
    static constexpr std::size_t kTokens = tokensAlong<E>();

    template <class Values>
    [[gnu::always_inline]] constexpr auto eval(const double* inputs, const Values& v) const {
        return sum.eval(inputs, v);
    }
    template <class S>
    static constexpr void writeAlong(const S& s, Token*& out) {
        if constexpr (kIsSum<S>) {
            writeAlong(s.left, out);
            *out++ = {Token::Kind::Text, S::kText};
            writeOperand(s.right, out);
        } else {
            writeOperand(s, out);
        }
    }
    constexpr void write(Token*& out) const { writeAlong(sum, out); }
    constexpr void bind(std::span<const InputField> inputs, const Formed& formed) { sum.bind(inputs, formed); }
};
template <class E>
inline constexpr bool kIsOperation<Chain<E>> = true;
template <class E>
constexpr Chain<E> chain(E sum) {
    return {sum};
}

// What may stand in a formula: the nodes above, and plain numbers.
template <class T>
constexpr auto operand(const T& x) {
    if constexpr (std::is_arithmetic_v<T>)
        return Number{static_cast<double>(x)};
    else
        return x;
}
template <class T>
concept Node = requires {
    T::kTokens;
};
template <class L, class R>
concept Operands = (Node<L> || Node<R>)&&(Node<L> || std::is_arithmetic_v<L>)&&(Node<R> || std::is_arithmetic_v<R>);

template <char Op, class L, class R>
constexpr auto operation(const L& l, const R& r) {
    return Operation<Op, decltype(operand(l)), decltype(operand(r))>{operand(l), operand(r)};
}
template <class L, class R>
requires Operands<L, R>
constexpr auto operator*(const L& l, const R& r) { return operation<'*'>(l, r); }
template <class L, class R>
requires Operands<L, R>
constexpr auto operator/(const L& l, const R& r) { return operation<'/'>(l, r); }
template <class L, class R>
requires Operands<L, R>
constexpr auto operator+(const L& l, const R& r) { return operation<'+'>(l, r); }
template <class L, class R>
requires Operands<L, R>
constexpr auto operator-(const L& l, const R& r) { return operation<'-'>(l, r); }

// One step of the calculation: `quantity` is formed by `formula`.
template <class E>
struct Step {
    Quantity quantity;
    E formula;
};
template <class E>
Step(Quantity, E) -> Step<E>;

// The steps that lead to one of the three results, in their order; the last
// one forms the result.
template <class... E>
struct Figure {
    std::tuple<Step<E>...> steps;
    static constexpr std::size_t kTokens = (E::kTokens + ... + 0);
};
template <class... E>
constexpr Figure<E...> figure(Step<E>... steps) {
    return {{steps...}};
}

template <class Fn, class... E>
constexpr void forEachStep(const Figure<E...>& f, Fn&& fn) {
    std::apply([&](const auto&... s) { (fn(s), ...); }, f.steps);
}

constexpr Term resultTerm(Result r) {
    return r == Result::SteelArea           ? Term::SteelArea
           : r == Result::LongitudinalRatio ? Term::LongitudinalRatio
                                            : Term::HoopRatio;
}

// The formulas of a shape with `InputCount` inputs: three figures, for zjmj,
// zjl and tjpgl. Made by define(), which binds them to the shape's inputs.
template <std::size_t InputCount, class... F>
struct Definition {
    static_assert(sizeof...(F) == 3, "one figure for each result");
    static constexpr std::size_t kInputCount = InputCount;
    std::tuple<F...> figures;

    // Evaluates every step in order and hands each quantity to `values`
    // (SectionTerms or TermValues), which records it for the steps after.
    template <class Values>
    void evaluate(const double* inputs, Values& values) const {
        forEachStep([&](const auto& s) { values.form(s.quantity.term, s.formula.eval(inputs, values)); });
    }

    template <class Fn>
    constexpr void forEachStep(Fn&& fn) const {
        std::apply([&](const auto&... f) { (formula::forEachStep(f, fn), ...); }, figures);
    }
    static constexpr std::size_t kTokens = (F::kTokens + ...);
    static constexpr std::size_t kSteps = (std::tuple_size_v<decltype(F::steps)> + ...);
    static constexpr std::array<std::size_t, 3> kFigureSteps = {std::tuple_size_v<decltype(F::steps)>...};

    // Every step's formula as the sheet writes it, one after the other.
    constexpr std::array<Token, kTokens> tokens() const {
        std::array<Token, kTokens> all{};
        Token* out = all.data();
        forEachStep([&](const auto& s) { s.formula.write(out); });
        return all;
    }
};

// Binds the formulas to the shape's input table, and checks at compile time
// that every input symbol is one of the shape's, that every quantity is
// formed once and before it is used, and that each figure ends in its result.
template <std::size_t InputCount, class... F>
constexpr Definition<InputCount, F...> define(const InputField (&inputs)[InputCount], F... figures) {
    Formed formed{};
    std::size_t result = 0;
    auto bindFigure = [&](auto& f) {
        Term last{};
        std::apply(
            [&](auto&... s) {
                ((s.formula.bind(inputs, formed),
                  require(!formed[static_cast<std::size_t>(s.quantity.term)], "a quantity is formed twice"),
                  formed[static_cast<std::size_t>(s.quantity.term)] = true, last = s.quantity.term),
                 ...);
            },
            f.steps);
        require(last == resultTerm(kAllResults[result++]), "a figure does not end in its result");
    };
    (bindFigure(figures), ...);
    return {{figures...}};
}

// The sheet's view of a definition: its steps in order, each with its
// quantity and its formula's tokens.
template <const auto& definition>
inline constexpr auto kTokensOf = definition.tokens();

template <const auto& definition>
inline constexpr auto kStepTextsOf = [] {
    using D = std::remove_cvref_t<decltype(definition)>;
    std::array<StepText, D::kSteps> texts{};
    std::size_t i = 0;
    std::size_t first = 0;
    definition.forEachStep([&](const auto& s) {
        const Quantity& q = s.quantity;
        texts[i++] = {q.term, q.symbol, q.name, q.unit,
                      std::span<const Token>(kTokensOf<definition>).subspan(first, s.formula.kTokens)};
        first += s.formula.kTokens;
    });
    return texts;
}();

// The steps of each of zjmj, zjl and tjpgl, for SectionShape::figures.
template <const auto& definition>
constexpr std::array<std::span<const StepText>, 3> figureTexts() {
    using D = std::remove_cvref_t<decltype(definition)>;
    const std::span<const StepText> all = kStepTextsOf<definition>;
    const auto& n = D::kFigureSteps;
    return {all.subspan(0, n[0]), all.subspan(n[0], n[1]), all.subspan(n[0] + n[1], n[2])};
}

}  // namespace formula

// The numbers of a window's inputs, in the order of its input table. An input
// missing from `numbers` reads 0.
template <std::size_t N>
class InputNumbers {
public:
    explicit InputNumbers(std::span<const double> numbers) : data_(numbers.data()) {
        if (numbers.size() >= N) return;
        for (std::size_t i = 0; i < N; ++i) padded_[i] = i < numbers.size() ? numbers[i] : 0.0;
        data_ = padded_.data();
    }
    InputNumbers(const InputNumbers&) = delete;
    InputNumbers& operator=(const InputNumbers&) = delete;
    const double* data() const { return data_; }

private:
    const double* data_;
    std::array<double, N> padded_;  // only for a short `numbers`
};

// The values one evaluation formed, in the number type N; for calculate(),
// which needs only the three results.
template <class N>
class TermValues {
public:
    using Number = N;
    void form(Term term, Number value) { values_[static_cast<std::size_t>(term)] = value; }
    Number recorded(Term term) const { return values_[static_cast<std::size_t>(term)]; }

    SectionResults results() const {
        return {recorded(Term::SteelArea).value(), recorded(Term::LongitudinalRatio).value(),
                recorded(Term::HoopRatio).value()};
    }
    // Only for UncheckedNumber: whether the three results are exactly those
    // of the checked evaluation, that is, whether none of those is NaN.
    bool exact() const {
        return (exactnessMark(recorded(Term::SteelArea)) + exactnessMark(recorded(Term::LongitudinalRatio))) +
                   exactnessMark(recorded(Term::HoopRatio)) ==
               0.0;
    }

private:
    std::array<Number, kTermCount> values_;
};

// The defining evaluation, every term recorded: what the calculation sheet
// shows and what the results are.
//
// `definition` is a template argument, so that the compiler sees every
// input's place and every constant of the formulas while it compiles the
// evaluation.
template <const auto& definition>
SectionTerms checkedTerms(std::span<const double> numbers) {
    const InputNumbers<std::remove_cvref_t<decltype(definition)>::kInputCount> inputs(numbers);
    SectionTerms terms;
    definition.evaluate(inputs.data(), terms);
    return terms;
}

// The results of the defining evaluation alone, out of the fast path's way.
template <const auto& definition>
[[gnu::noinline, gnu::cold]] SectionResults checkedResults(const double* inputs) {
    TermValues<FiniteOrNan> checked;
    definition.evaluate(inputs, checked);
    return checked.results();
}

// The results of checkedTerms<definition>(numbers), bit for bit: evaluated
// in plain arithmetic first, and checked again only when some value on the
// way was not finite (a zero divisor, an overflow, an input ±∞ or NaN), which
// is exactly when some result is NaN and shows the dash.
template <const auto& definition>
SectionResults fastResults(std::span<const double> numbers) {
    const InputNumbers<std::remove_cvref_t<decltype(definition)>::kInputCount> inputs(numbers);
    TermValues<UncheckedNumber> fast;
    definition.evaluate(inputs.data(), fast);
    if (fast.exact()) [[likely]]
        return fast.results();
    return checkedResults<definition>(inputs.data());
}

}  // namespace dravik::sections
