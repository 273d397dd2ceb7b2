// Undo and redo. The history keeps the document (everything a save
// writes, apart from the view's scroll positions and the run state) after
// each change, as steps. Steps share the records they have in common, so a
// step costs only the records it changed; records are kept in a compact
// encoding. Positions are kept as if the view were not scrolled, so
// scrolling is not a change and undo puts records back where they were on
// the plane.
//
// `modified` means "differs from what is on disk": the circuit is modified
// exactly when the current step is not the one last saved or opened (or,
// where switch levels are not counted, differs from it in more than them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/circuit.h"

namespace vorlisk {

class History {
public:
    static constexpr size_t kMinSteps = 100;                // kept whatever they cost
    static constexpr size_t kByteBudget = 64u * 1024 * 1024;  // older steps beyond it are dropped

    History();
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Starts over from the circuit as it is (New, Open): nothing to undo;
    // the circuit counts as saved when `saved`.
    void reset(Circuit& c, bool saved = true);
    // Makes the circuit as it is now a step when it differs from the current
    // one (dropping the steps that could have been redone); returns whether
    // it did. Also sets `c.modified`.
    bool commit(Circuit& c);
    // Puts the circuit back to the step before or after; false when there is none.
    bool undo(Circuit& c);
    bool redo(Circuit& c);
    // What an instrument window writes as it shows (the default record
    // items, the timing diagram's recording mode) is no step of its own and
    // no change of `modified`: the current step, and every step that held
    // the same value of that field, take in the circuit's value, as if it
    // had always been so. So undo neither takes it back nor wipes the
    // recorded rows with it. Other fields are left to commit.
    void take_in_shown_items(const Circuit& c);
    bool can_undo() const { return current_ > 0; }
    bool can_redo() const { return current_ + 1 < states_.size(); }

    // The current step is what is on disk now (after a save).
    void mark_saved(Circuit& c);
    bool modified() const;
    // Whether flipping level switches alone makes the circuit differ from
    // what is on disk (true unless told otherwise). An example is tried out
    // by its switches and never saved over: there, levels alone leave
    // nothing to save. The flips stay steps that undo takes back.
    void count_switch_levels(Circuit& c, bool counted);

    size_t steps() const { return states_.size() - 1; }  // steps that can be undone from the newest
    size_t bytes() const { return bytes_; }                  // memory the history holds

    class Pool;
    struct Entry;
    struct Globals;
    struct State;

private:
    // The circuit as a step, sharing what is unchanged since `prev`.
    std::unique_ptr<State> capture(Circuit& c, const State* prev, bool& changed);
    void restore(Circuit& c, const State& s);
    std::shared_ptr<const Globals> keep(Globals g);  // counted in bytes_ while any step holds it
    void trim();
    // The step last saved or opened, when the history still holds it.
    const State* saved_state() const;

    size_t bytes_ = 0;
    std::unique_ptr<Pool> pool_;  // outlives the steps, whose encodings it holds
    std::deque<std::unique_ptr<State>> states_;
    size_t current_ = 0;
    uint64_t next_id_ = 1;
    uint64_t saved_id_ = 0;  // 0: no step is what is on disk
    bool count_levels_ = true;
};

}  // namespace vorlisk
