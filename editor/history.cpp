#include "editor/history.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>
#include <unordered_map>

#include "model/catalogue.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

// --- a compact encoding of records ------------------------------------------------
// Fixed arrays are stored up to their last non-zero element, so a record
// costs what it uses; decoding fills the rest with zeros. Names and
// positions are kept apart (see Entry and Slot), so records that differ only
// in them encode alike and share their encoding.

class Writer {
public:
    std::string out;

    template <class T>
    void operator()(const T& v) {
        if constexpr (std::is_same_v<T, std::string>) {
            raw(uint32_t(v.size()));
            out.append(v);
        } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
            raw(uint32_t(v.size()));
            for (const std::string& s : v) (*this)(s);
        } else {
            raw(v);
        }
    }
    template <class T, size_t N>
    void operator()(const std::array<T, N>& a) {
        size_t n = N;
        while (n > 0 && a[n - 1] == T{}) --n;
        raw(uint16_t(n));
        for (size_t i = 0; i < n; ++i) (*this)(a[i]);
    }
    // The first n elements (the pins a record uses).
    template <class T, size_t N>
    void first(const std::array<T, N>& a, int n) {
        n = std::clamp(n, 0, int(N));
        raw(uint16_t(n));
        for (int i = 0; i < n; ++i) raw(a[i]);
    }
    // A position relative to the record's anchor (offset: minus the anchor).
    template <class T>
    void coord(const T& v, int offset) {
        raw(int32_t(int64_t(v) + offset));
    }

private:
    template <class T>
    void raw(const T& v) {
        static_assert((std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>) ||
                      std::is_floating_point_v<T> || std::is_same_v<T, bool>);
        out.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
};

class Reader {
public:
    explicit Reader(const std::string& s) : p_(s.data()) {}

    template <class T>
    void operator()(T& v) {
        if constexpr (std::is_same_v<T, std::string>) {
            uint32_t n = 0;
            raw(n);
            v.assign(p_, n);
            p_ += n;
        } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
            uint32_t n = 0;
            raw(n);
            v.assign(n, std::string());
            for (std::string& s : v) (*this)(s);
        } else {
            raw(v);
        }
    }
    template <class T, size_t N>
    void operator()(std::array<T, N>& a) {
        uint16_t n = 0;
        raw(n);
        for (size_t i = 0; i < N; ++i) {
            if (i < n) (*this)(a[i]);
            else a[i] = T{};
        }
    }
    // Leaves the elements after the first n as they are.
    template <class T, size_t N>
    void first(std::array<T, N>& a, int) {
        uint16_t n = 0;
        raw(n);
        for (size_t i = 0; i < n && i < N; ++i) raw(a[i]);
    }
    template <class T>
    void coord(T& v, int offset) {
        int32_t w = 0;
        raw(w);
        v = T(std::clamp<int64_t>(int64_t(w) - offset, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }

private:
    template <class T>
    void raw(T& v) {
        std::memcpy(&v, p_, sizeof v);
        p_ += sizeof v;
    }
    const char* p_;
};

// Field lists, shared by encoding and decoding (O is the record, const
// when encoding). `ox`, `oy`: minus the record's anchor.

// A component's shape: what placement and rotation write.
template <class IO, class O>
void object_shape(IO& io, O& o) {
    io(o.kind), io(o.body_rect), io(o.outline_rect);
    io(o.input_count), io(o.in_dx), io(o.in_dy), io(o.in_stub_dx), io(o.in_stub_dy);
    io(o.output_count), io(o.out_dx), io(o.out_dy), io(o.out_stub_dx), io(o.out_stub_dy);
    io(o.rotation), io(o.symbol_style);
    io(o.line_count), io(o.lines), io(o.arc_count), io(o.arcs), io(o.bubble_count), io(o.bubbles);
    io(o.label_count), io(o.label_text), io(o.label_pos), io(o.label_half_w), io(o.label_half_h);
}

// Its look and parameters: what the drawing and property dialogs write.
template <class IO, class O>
void object_settings(IO& io, O& o) {
    io(o.out_mark);
    io(o.border_color), io(o.border_width), io(o.fill_color), io(o.font_color), io(o.font_bold);
    io(o.param_int), io(o.param_text);
    // param_real[0] is a pulse's enable time (run state, below); the other
    // slots are settings, such as a one-shot's pulse widths.
    for (size_t k = 1; k < o.param_real.size(); ++k) io(o.param_real[k]);
    io(o.idle_level), io(o.pulse_frequency), io(o.pulse_count), io(o.pulse_phase), io(o.pulse_width);
    io(o.aux_int);
}

// What the run pass writes: run state, never part of the document, so a
// Run and Stop leave no step and no `modified` behind. Every field the pass
// writes into a component belongs here, including those a save also
// writes: a pulse's enable time (param_real[0]) and the pass marks cleared
// before each pass.
template <class IO, class O>
void object_runtime(IO& io, O& o) {
    io.first(o.in_v, o.input_count), io.first(o.prev_in_v, o.input_count);
    io.first(o.out_v, o.output_count), io.first(o.prev_out_v, o.output_count);
    io(o.state), io(o.dirty);
    io(o.param_real[0]), io(o.in_mark), io(o.pass_mark_a), io(o.pass_mark_b);
}

template <class IO, class W>
void wire_doc(IO& io, W& w, int ox, int oy) {
    io(w.kind);
    io.coord(w.x1, ox), io.coord(w.y1, oy), io.coord(w.x2, ox), io.coord(w.y2, oy);
    io(w.bend_count);
    for (int b = 0; b < std::clamp(int(w.bend_count), 0, kMaxBends); ++b)
        io.coord(w.bends[b].x, ox), io.coord(w.bends[b].y, oy);
}

template <class IO, class J>
void junction_doc(IO& io, J& j, int ox, int oy) {
    io(j.kind), io.coord(j.x, ox), io.coord(j.y, oy);
}

template <class IO, class T>
void test_point_doc(IO& io, T& t, int ox, int oy) {
    io(t.kind), io(t.label), io.coord(t.x, ox), io.coord(t.y, oy), io(t.label_dx), io(t.label_dy);
}

template <class IO, class T>
void test_point_runtime(IO& io, T& t) {
    io(t.value), io(t.prev_value);
}

template <class IO, class A>
void annotation_doc(IO& io, A& a, int ox, int oy) {
    io(a.kind), io.coord(a.x, ox), io.coord(a.y, oy);
    io(a.back_color), io(a.frame_color), io(a.transparent), io(a.framed), io(a.width), io(a.height);
    io(a.font_charset), io(a.font_color), io(a.font_height), io(a.font_pitch), io(a.font_size), io(a.font_style);
    io(a.font_name), io(a.text_lines);
}

enum Table { kObjects, kWires, kJunctions, kTestPoints, kAnnotations, kTables };

int table_count(const Circuit& c, int t) {
    switch (t) {
        case kObjects: return c.object_count;
        case kWires: return c.wire_count;
        case kJunctions: return c.junction_count;
        case kTestPoints: return c.test_point_count;
        default: return c.annotation_count;
    }
}

const std::string& record_name(const Circuit& c, int t, int i) {
    switch (t) {
        case kObjects: return c.objects[i].name;
        case kWires: return c.wires[i].name;
        case kJunctions: return c.junctions[i].name;
        case kTestPoints: return c.test_points[i].name;
        default: return c.annotations[i].name;
    }
}

// Where a record is: a component's, junction's, test point's or
// annotation's position, a wire's start. Records are encoded relative to it,
// so a move changes no encoding, only the anchors a step keeps.
BendPoint anchor_of(const Circuit& c, int t, int i) {
    switch (t) {
        case kObjects: return {c.objects[i].x, c.objects[i].y};
        case kWires: return {c.wires[i].x1, c.wires[i].y1};
        case kJunctions: return {c.junctions[i].x, c.junctions[i].y};
        case kTestPoints: return {c.test_points[i].x, c.test_points[i].y};
        default: return {c.annotations[i].x, c.annotations[i].y};
    }
}

template <class F>
std::string encode(F fields) {
    Writer w;
    fields(w);
    return std::move(w.out);
}

}  // namespace

// Encodings shared by content: a thousand gates turned the same way keep
// one copy of their turned shape.
class History::Pool {
public:
    using Blob = std::shared_ptr<const std::string>;
    explicit Pool(size_t& bytes) : bytes_(bytes) {}

    Blob get(std::string s) {
        if (auto it = blobs_.find(s); it != blobs_.end())
            if (Blob b = it->second.lock()) return b;
        const size_t cost = sizeof(std::string) + s.capacity() + 64;
        bytes_ += cost;
        Blob b(new std::string(std::move(s)), [this, cost](const std::string* p) {
            blobs_.erase(std::string_view(*p));
            bytes_ -= cost;
            delete p;
        });
        blobs_[std::string_view(*b)] = b;
        return b;
    }

private:
    size_t& bytes_;
    std::unordered_map<std::string_view, std::weak_ptr<const std::string>> blobs_;  // keys view the blobs
};

// One record of one step, shared by every step that has it unchanged.
struct History::Entry {
    explicit Entry(size_t& counter) : counter_(counter) { counter_ += kCost; }
    ~Entry() { counter_ -= kCost; }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    static constexpr size_t kCost = 160;  // the entry, its control block and a short name

    size_t& counter_;
    std::string name;
    Pool::Blob shape;     // components: shape; other records: all but name and anchor
    Pool::Blob settings;  // components: looks and parameters
    // The voltages and state last seen, for a record that undo brings back.
    Pool::Blob runtime;
    bool runtime_from_run = false;

    bool same_document(const Entry& o) const { return shape == o.shape && settings == o.settings; }
};

struct History::Globals {
    int32_t next_serial = 0;
    int32_t virtual_time = 0;
    double time_step = 0.0;
    int32_t device_delay = 0;
    int32_t net_mode = 0;
    int32_t out_init_mode = 0;
    int32_t default_symbol_style = 0;
    double file_real_1 = 0.0;
    DrawSettings draw;
    std::array<std::string, kRecordSlots> table_items;
    std::array<std::string, kRecordSlots> trace_items;
    std::string table_record_mode;
    std::string trace_record_mode;
    double trace_scale = 0.0;
    bool operator==(const Globals&) const = default;

    // The fields an instrument window writes as it shows, as member pointers.
    template <class F>
    static void shown_fields(F f) {
        f(&Globals::table_items), f(&Globals::trace_items);
        f(&Globals::table_record_mode), f(&Globals::trace_record_mode);
    }

    static Globals of(const Circuit& c) {
        return {c.next_serial,   c.virtual_time,         c.time_step,   c.device_delay,
                c.net_mode,      c.out_init_mode,        c.default_symbol_style,
                c.file_real_1,   c.draw,                 c.table_items, c.trace_items,
                c.table_record_mode, c.trace_record_mode, c.trace_scale};
    }
    void apply(Circuit& c) const {
        c.next_serial = next_serial, c.virtual_time = virtual_time, c.time_step = time_step;
        c.device_delay = device_delay, c.net_mode = net_mode, c.out_init_mode = out_init_mode;
        c.default_symbol_style = default_symbol_style, c.file_real_1 = file_real_1, c.draw = draw;
        c.table_items = table_items, c.trace_items = trace_items;
        c.table_record_mode = table_record_mode, c.trace_record_mode = trace_record_mode;
        c.trace_scale = trace_scale;
    }
};

namespace {

// A record in a step: its entry and where it is on the plane (as if the
// view were not scrolled, so scrolling is not a change).
struct Slot {
    std::shared_ptr<const History::Entry> entry;
    int32_t x = 0, y = 0;
    bool operator==(const Slot&) const = default;
};

}  // namespace

struct History::State {
    uint64_t id = 0;
    std::array<std::vector<Slot>, kTables> tables;
    std::shared_ptr<const Globals> globals;
    std::vector<std::string> selection;  // shown again when the step is returned to

    size_t cost() const {
        size_t n = sizeof(State);
        for (const auto& t : tables) n += t.capacity() * sizeof(Slot);
        for (const std::string& s : selection) n += sizeof(s) + s.capacity();
        return n;
    }
};

namespace {

// The document parts of record i of table t.
void encode_record(History::Pool& pool, const Circuit& c, int t, int i, History::Entry& e) {
    e.name = record_name(c, t, i);
    const BendPoint a = anchor_of(c, t, i);
    const int ox = -a.x, oy = -a.y;
    switch (t) {
        case kObjects:
            e.shape = pool.get(encode([&](Writer& w) { object_shape(w, c.objects[i]); }));
            e.settings = pool.get(encode([&](Writer& w) { object_settings(w, c.objects[i]); }));
            break;
        case kWires: e.shape = pool.get(encode([&](Writer& w) { wire_doc(w, c.wires[i], ox, oy); })); break;
        case kJunctions:
            e.shape = pool.get(encode([&](Writer& w) { junction_doc(w, c.junctions[i], ox, oy); }));
            break;
        case kTestPoints:
            e.shape = pool.get(encode([&](Writer& w) { test_point_doc(w, c.test_points[i], ox, oy); }));
            break;
        default: e.shape = pool.get(encode([&](Writer& w) { annotation_doc(w, c.annotations[i], ox, oy); })); break;
    }
}

History::Pool::Blob encode_runtime(History::Pool& pool, const Circuit& c, int t, int i) {
    if (t == kObjects) return pool.get(encode([&](Writer& w) { object_runtime(w, c.objects[i]); }));
    if (t == kTestPoints) return pool.get(encode([&](Writer& w) { test_point_runtime(w, c.test_points[i]); }));
    return nullptr;
}

}  // namespace

History::History() : pool_(std::make_unique<Pool>(bytes_)) {}

History::~History() {
    states_.clear();  // every blob goes back to the pool before the pool goes
}

std::shared_ptr<const History::Globals> History::keep(Globals g) {
    bytes_ += sizeof(Globals);
    return std::shared_ptr<const Globals>(new Globals(std::move(g)), [this](const Globals* p) {
        bytes_ -= sizeof(Globals);
        delete p;
    });
}

std::unique_ptr<History::State> History::capture(Circuit& c, const State* prev, bool& changed) {
    auto next = std::make_unique<State>();
    const BendPoint scroll{c.scroll_h * 10, c.scroll_v * 10};
    changed = prev == nullptr;
    for (int t = 0; t < kTables; ++t) {
        static const std::vector<Slot> none;
        const auto& before = prev ? prev->tables[t] : none;
        auto& after = next->tables[t];
        const int n = table_count(c, t);
        after.reserve(size_t(n));
        std::unordered_map<std::string_view, const Slot*> by_name;  // built when first needed
        for (int i = 0; i < n; ++i) {
            auto e = std::make_shared<Entry>(bytes_);
            encode_record(*pool_, c, t, i, *e);
            e->runtime = encode_runtime(*pool_, c, t, i);
            e->runtime_from_run = c.running != 0;
            // Keep the entry of the step before when the record is the same:
            // at the same place in the table, or (after a deletion moved it
            // up) by its name.
            const Slot* same = nullptr;
            if (size_t(i) < before.size() && before[size_t(i)].entry->name == e->name) {
                same = &before[size_t(i)];
            } else if (!before.empty()) {
                if (by_name.empty())
                    for (const Slot& b : before) by_name.try_emplace(b.entry->name, &b);
                if (auto it = by_name.find(e->name); it != by_name.end()) same = it->second;
            }
            if (same && same->entry->same_document(*e)) {
                // The shared entry learns the latest run state (what undo
                // restores for a record that comes back).
                auto& kept = const_cast<Entry&>(*same->entry);
                kept.runtime = std::move(e->runtime);
                kept.runtime_from_run = e->runtime_from_run;
                e = std::const_pointer_cast<Entry>(same->entry);
            }
            const BendPoint a = anchor_of(c, t, i);
            Slot slot{std::move(e), a.x + scroll.x, a.y + scroll.y};
            changed = changed || size_t(i) >= before.size() || !(slot == before[size_t(i)]);
            after.push_back(std::move(slot));
        }
        changed = changed || after.size() != before.size();
    }
    Globals g = Globals::of(c);
    if (prev && g == *prev->globals) {
        next->globals = prev->globals;
    } else {
        next->globals = keep(std::move(g));
        changed = true;
    }
    next->selection = c.selection;
    return next;
}

void History::reset(Circuit& c, bool saved) {
    states_.clear();
    bool changed = false;
    states_.push_back(capture(c, nullptr, changed));
    states_[0]->id = next_id_++;
    bytes_ += states_[0]->cost();
    current_ = 0;
    saved_id_ = saved ? states_[0]->id : 0;
    c.modified = !saved;
}

bool History::commit(Circuit& c) {
    if (states_.empty()) reset(c, false);
    State& prev = *states_[current_];
    bool changed = false;
    std::unique_ptr<State> next = capture(c, &prev, changed);
    if (!changed) {
        bytes_ -= prev.cost();
        prev.selection = c.selection;  // undoing back here shows what was selected last
        bytes_ += prev.cost();
        c.modified = modified();
        return false;
    }
    // What could have been redone is gone.
    while (states_.size() > current_ + 1) {
        bytes_ -= states_.back()->cost();
        states_.pop_back();
    }
    next->id = next_id_++;
    bytes_ += next->cost();
    states_.push_back(std::move(next));
    current_ = states_.size() - 1;
    trim();
    c.touch();  // whatever changed, the run pass sees it
    c.modified = modified();
    return true;
}

void History::trim() {
    while (states_.size() - 1 > kMinSteps && bytes_ > kByteBudget && current_ > 0) {
        bytes_ -= states_.front()->cost();
        states_.pop_front();
        --current_;
    }
}

bool History::undo(Circuit& c) {
    if (!can_undo()) return false;
    --current_;
    restore(c, *states_[current_]);
    return true;
}

bool History::redo(Circuit& c) {
    if (!can_redo()) return false;
    ++current_;
    restore(c, *states_[current_]);
    return true;
}

void History::take_in_shown_items(const Circuit& c) {
    if (states_.empty()) return;
    const Globals before = *states_[current_]->globals;
    const Globals now = Globals::of(c);
    // Steps share their globals: each shared copy is replaced once, and the
    // old copies live until every step has its new one.
    std::vector<std::pair<std::shared_ptr<const Globals>, std::shared_ptr<const Globals>>> made;
    for (auto& s : states_) {
        auto it = std::find_if(made.begin(), made.end(), [&](const auto& m) { return m.first == s->globals; });
        if (it == made.end()) {
            Globals g = *s->globals;
            Globals::shown_fields([&](auto field) {
                if (g.*field == before.*field) g.*field = now.*field;
            });
            auto replacement = g == *s->globals ? s->globals : keep(std::move(g));
            made.emplace_back(s->globals, std::move(replacement));
            it = made.end() - 1;
        }
        s->globals = it->second;
    }
}

void History::mark_saved(Circuit& c) {
    commit(c);
    saved_id_ = states_[current_]->id;
    c.modified = false;
}

void History::count_switch_levels(Circuit& c, bool counted) {
    count_levels_ = counted;
    c.modified = modified();
}

const History::State* History::saved_state() const {
    for (const auto& s : states_)
        if (s->id == saved_id_) return s.get();
    return nullptr;
}

namespace {

// A level switch's settings without its level; empty for any other component.
std::string settings_but_level(const History::Entry& e) {
    MY_BASE_OBJ o{};
    Reader shape(*e.shape);
    object_shape(shape, o);
    const KindInfo* kind = find_kind(o.kind);
    if (!kind || kind->rule != Rule::level_switch) return {};
    Reader settings(*e.settings);
    object_settings(settings, o);
    o.param_int[0] = 0;
    return encode([&](Writer& w) { object_settings(w, o); });
}

bool same_record_but_level(int table, const Slot& a, const Slot& b) {
    if (a.x != b.x || a.y != b.y || a.entry->name != b.entry->name) return false;
    if (a.entry->same_document(*b.entry)) return true;
    if (table != kObjects || a.entry->shape != b.entry->shape) return false;
    const std::string level_free = settings_but_level(*a.entry);
    return !level_free.empty() && level_free == settings_but_level(*b.entry);
}

}  // namespace

bool History::modified() const {
    if (states_.empty()) return true;
    const State& now = *states_[current_];
    if (now.id == saved_id_) return false;
    const State* saved = count_levels_ ? nullptr : saved_state();
    if (!saved) return true;
    if (now.globals != saved->globals && !(*now.globals == *saved->globals)) return true;
    for (int t = 0; t < kTables; ++t) {
        const auto& a = now.tables[t];
        const auto& b = saved->tables[t];
        if (a.size() != b.size()) return true;
        for (size_t i = 0; i < a.size(); ++i)
            if (!same_record_but_level(t, a[i], b[i])) return true;
    }
    return false;
}

void History::restore(Circuit& c, const State& s) {
    // Records that stay keep their voltages: undo changes the drawing, not
    // the run.
    std::unordered_map<std::string, Pool::Blob> live[kTables];
    for (int t : {int(kObjects), int(kTestPoints)})
        for (int i = 0; i < table_count(c, t); ++i)
            live[t].try_emplace(record_name(c, t, i), encode_runtime(*pool_, c, t, i));
    auto runtime_of = [&](int t, const Entry& e) -> const std::string& {
        auto it = live[t].find(e.name);
        return it != live[t].end() ? *it->second : *e.runtime;
    };

    const int sx = c.scroll_h * 10, sy = c.scroll_v * 10;
    // Decodes every slot of table t into `table`, blanking the slots after it.
    auto restore_table = [&](int t, auto& table, int32_t& count, auto decode, auto blank) {
        const auto& slots = s.tables[t];
        for (int i = 0; i < int(slots.size()); ++i) {
            const Entry& e = *slots[i].entry;
            // The anchor on the canvas as it is scrolled now.
            decode(table[i], e, slots[i].x - sx, slots[i].y - sy);
            table[i].name = e.name;
        }
        for (int i = int(slots.size()); i < count; ++i) blank(table[i]);
        count = int32_t(slots.size());
    };
    auto clamp16 = [](int v) { return int16_t(std::clamp(v, kCoordMin, kCoordMax)); };

    restore_table(
        kObjects, c.objects, c.object_count,
        [&](MY_BASE_OBJ& o, const Entry& e, int ax, int ay) {
            o = MY_BASE_OBJ{};
            reset_object(c, o);
            Reader shape(*e.shape), settings(*e.settings), runtime(runtime_of(kObjects, e));
            object_shape(shape, o);
            object_settings(settings, o);
            object_runtime(runtime, o);
            o.x = clamp16(ax), o.y = clamp16(ay);
            if (e.runtime_from_run && !live[kObjects].count(e.name) && !c.running) {
                // Seen last while running, back while stopped: as Stop leaves it.
                o.in_v.fill(kLow), o.out_v.fill(kLow);
                o.prev_in_v = o.in_v, o.prev_out_v = o.out_v;
                o.state.fill(0);
                o.dirty = 0;
            }
        },
        [&](MY_BASE_OBJ& o) {
            o = MY_BASE_OBJ{};
            reset_object(c, o);
        });
    restore_table(
        kWires, c.wires, c.wire_count,
        [](MY_LINK& w, const Entry& e, int ax, int ay) {
            w = MY_LINK{};
            Reader r(*e.shape);
            wire_doc(r, w, -ax, -ay);
        },
        [](MY_LINK& w) { w = MY_LINK{}; });
    restore_table(
        kJunctions, c.junctions, c.junction_count,
        [](MY_POINT& j, const Entry& e, int ax, int ay) {
            j = MY_POINT{};
            Reader r(*e.shape);
            junction_doc(r, j, -ax, -ay);
        },
        [](MY_POINT& j) { j = MY_POINT{}; });
    restore_table(
        kTestPoints, c.test_points, c.test_point_count,
        [&](MY_TEST_POINT& t, const Entry& e, int ax, int ay) {
            t = MY_TEST_POINT{};
            Reader r(*e.shape), runtime(runtime_of(kTestPoints, e));
            test_point_doc(r, t, -ax, -ay);
            test_point_runtime(runtime, t);
        },
        [](MY_TEST_POINT& t) { t = MY_TEST_POINT{}; });
    restore_table(
        kAnnotations, c.annotations, c.annotation_count,
        [](ZHU_SHI_S& a, const Entry& e, int ax, int ay) {
            a = ZHU_SHI_S{};
            Reader r(*e.shape);
            annotation_doc(r, a, -ax, -ay);
        },
        [](ZHU_SHI_S& a) { a = ZHU_SHI_S{}; });

    s.globals->apply(c);
    c.selection = s.selection;
    c.touch();
    c.modified = modified();
}

}  // namespace vorlisk
