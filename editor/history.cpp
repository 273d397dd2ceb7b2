#include "editor/history.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>
#include <unordered_map>

namespace vorlisk {

namespace {

// --- a compact encoding of records ------------------------------------------------
// Fixed arrays are stored up to their last non-zero element, so a record
// costs what it uses; decoding fills the rest with zeros.

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
    // A position, as if the view were not scrolled.
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
// when encoding). `ox`, `oy`: the scroll offset in pixels.

template <class IO, class O>
void object_doc(IO& io, O& o, int ox, int oy) {
    io(o.name), io(o.kind);
    io.coord(o.x, ox), io.coord(o.y, oy);
    io(o.body_rect), io(o.outline_rect);
    io(o.input_count), io(o.in_dx), io(o.in_dy), io(o.in_stub_dx), io(o.in_stub_dy);
    io(o.output_count), io(o.out_dx), io(o.out_dy), io(o.out_stub_dx), io(o.out_stub_dy);
    io(o.in_mark), io(o.out_mark), io(o.pass_mark_a), io(o.pass_mark_b);
    io(o.border_color), io(o.border_width), io(o.fill_color), io(o.font_color), io(o.font_bold);
    io(o.rotation), io(o.symbol_style);
    io(o.line_count), io(o.lines), io(o.arc_count), io(o.arcs), io(o.bubble_count), io(o.bubbles);
    io(o.label_count), io(o.label_text), io(o.label_pos), io(o.label_half_w), io(o.label_half_h);
    io(o.param_int), io(o.param_real), io(o.param_text);
    io(o.idle_level), io(o.pulse_frequency), io(o.pulse_count), io(o.pulse_phase), io(o.pulse_width);
    io(o.aux_int);
}

// What the run pass writes: not part of the document.
template <class IO, class O>
void object_runtime(IO& io, O& o) {
    io(o.in_v), io(o.out_v), io(o.prev_in_v), io(o.prev_out_v), io(o.state), io(o.dirty);
}

template <class IO, class W>
void wire_doc(IO& io, W& w, int ox, int oy) {
    io(w.name), io(w.kind);
    io.coord(w.x1, ox), io.coord(w.y1, oy), io.coord(w.x2, ox), io.coord(w.y2, oy);
    io(w.bend_count);
    for (int b = 0; b < std::clamp(int(w.bend_count), 0, kMaxBends); ++b)
        io.coord(w.bends[b].x, ox), io.coord(w.bends[b].y, oy);
}

template <class IO, class J>
void junction_doc(IO& io, J& j, int ox, int oy) {
    io(j.name), io(j.kind), io.coord(j.x, ox), io.coord(j.y, oy);
}

template <class IO, class T>
void test_point_doc(IO& io, T& t, int ox, int oy) {
    io(t.name), io(t.kind), io(t.label), io.coord(t.x, ox), io.coord(t.y, oy), io(t.label_dx), io(t.label_dy);
}

template <class IO, class T>
void test_point_runtime(IO& io, T& t) {
    io(t.value), io(t.prev_value);
}

template <class IO, class A>
void annotation_doc(IO& io, A& a, int ox, int oy) {
    io(a.name), io(a.kind), io.coord(a.x, ox), io.coord(a.y, oy);
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

std::string encode_doc(const Circuit& c, int t, int i) {
    Writer w;
    const int ox = c.scroll_h * 10, oy = c.scroll_v * 10;
    switch (t) {
        case kObjects: object_doc(w, c.objects[i], ox, oy); break;
        case kWires: wire_doc(w, c.wires[i], ox, oy); break;
        case kJunctions: junction_doc(w, c.junctions[i], ox, oy); break;
        case kTestPoints: test_point_doc(w, c.test_points[i], ox, oy); break;
        default: annotation_doc(w, c.annotations[i], ox, oy); break;
    }
    return std::move(w.out);
}

// Runtime of the records that have one (components, test points).
std::string encode_runtime(const Circuit& c, int t, int i) {
    Writer w;
    if (t == kObjects) object_runtime(w, c.objects[i]);
    else if (t == kTestPoints) test_point_runtime(w, c.test_points[i]);
    return std::move(w.out);
}

}  // namespace

// One record of one step, shared by every step that has it unchanged.
struct History::Entry {
    Entry(size_t& counter, std::string n, std::string d) : counter_(counter), name(std::move(n)), doc(std::move(d)) {
        recount();
    }
    ~Entry() { counter_ -= counted_; }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    void set_runtime(std::string r, bool during_run) {
        runtime = std::move(r);
        runtime_from_run = during_run;
        recount();
    }

    size_t& counter_;
    size_t counted_ = 0;
    std::string name;
    std::string doc;
    // The record's voltages and state when last seen: restored for a record
    // that undo brings back.
    std::string runtime;
    bool runtime_from_run = false;

private:
    void recount() {
        const size_t now = sizeof(Entry) + 32 + name.capacity() + doc.capacity() + runtime.capacity();
        counter_ += now - counted_;
        counted_ = now;
    }
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

struct History::State {
    uint64_t id = 0;
    std::array<std::vector<std::shared_ptr<Entry>>, kTables> tables;
    std::shared_ptr<const Globals> globals;
    std::vector<std::string> selection;  // shown again when the step is returned to

    size_t cost() const {
        size_t n = sizeof(State) + sizeof(Globals);
        for (const auto& t : tables) n += t.capacity() * sizeof(t[0]);
        for (const std::string& s : selection) n += sizeof(s) + s.capacity();
        return n;
    }
};

History::History() = default;
History::~History() {
    states_.clear();  // entries count down into bytes_ as they go
}

void History::reset(Circuit& c, bool saved) {
    states_.clear();
    bytes_ = 0;
    auto s = std::make_unique<State>();
    s->id = next_id_++;
    for (int t = 0; t < kTables; ++t)
        for (int i = 0; i < table_count(c, t); ++i) {
            auto e = std::make_shared<Entry>(bytes_, record_name(c, t, i), encode_doc(c, t, i));
            e->set_runtime(encode_runtime(c, t, i), c.running != 0);
            s->tables[t].push_back(std::move(e));
        }
    s->globals = std::make_shared<const Globals>(Globals::of(c));
    s->selection = c.selection;
    bytes_ += s->cost();
    states_.push_back(std::move(s));
    current_ = 0;
    saved_id_ = saved ? states_[0]->id : 0;
    c.modified = !saved;
}

bool History::commit(Circuit& c) {
    if (states_.empty()) reset(c, false);
    State& prev = *states_[current_];
    auto next = std::make_unique<State>();
    bool changed = false;
    for (int t = 0; t < kTables; ++t) {
        const auto& before = prev.tables[t];
        auto& after = next->tables[t];
        const int n = table_count(c, t);
        after.reserve(size_t(n));
        std::unordered_map<std::string_view, const std::shared_ptr<Entry>*> by_name;  // built when first needed
        for (int i = 0; i < n; ++i) {
            std::string doc = encode_doc(c, t, i);
            const std::shared_ptr<Entry>* same = nullptr;
            if (size_t(i) < before.size() && before[size_t(i)]->doc == doc) {
                same = &before[size_t(i)];
            } else {
                // Records that moved up after a deletion are found by name.
                if (by_name.empty())
                    for (const auto& e : before) by_name.try_emplace(e->name, &e);
                auto it = by_name.find(record_name(c, t, i));
                if (it != by_name.end() && (*it->second)->doc == doc) same = it->second;
            }
            std::shared_ptr<Entry> e =
                same ? *same : std::make_shared<Entry>(bytes_, record_name(c, t, i), std::move(doc));
            if (t == kObjects || t == kTestPoints) e->set_runtime(encode_runtime(c, t, i), c.running != 0);
            changed = changed || size_t(i) >= before.size() || e != before[size_t(i)];
            after.push_back(std::move(e));
        }
        changed = changed || after.size() != before.size();
    }
    Globals g = Globals::of(c);
    if (!(g == *prev.globals)) {
        next->globals = std::make_shared<const Globals>(std::move(g));
        changed = true;
    } else {
        next->globals = prev.globals;
    }

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
    next->selection = c.selection;
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

void History::mark_saved(Circuit& c) {
    commit(c);
    saved_id_ = states_[current_]->id;
    c.modified = false;
}

bool History::modified() const { return states_.empty() || states_[current_]->id != saved_id_; }

void History::restore(Circuit& c, const State& s) {
    // Records that stay keep their voltages: undo changes the drawing, not
    // the run.
    std::unordered_map<std::string, std::string> live[kTables];
    for (int t : {int(kObjects), int(kTestPoints)})
        for (int i = 0; i < table_count(c, t); ++i) live[t].try_emplace(record_name(c, t, i), encode_runtime(c, t, i));

    const int ox = c.scroll_h * 10, oy = c.scroll_v * 10;
    auto runtime_of = [&](int t, const Entry& e) -> const std::string* {
        auto it = live[t].find(e.name);
        if (it != live[t].end()) return &it->second;
        return &e.runtime;
    };

    const auto& objects = s.tables[kObjects];
    for (int i = 0; i < int(objects.size()); ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o = MY_BASE_OBJ{};
        Reader doc(objects[i]->doc);
        object_doc(doc, o, ox, oy);
        Reader rt(*runtime_of(kObjects, *objects[i]));
        object_runtime(rt, o);
        if (objects[i]->runtime_from_run && !live[kObjects].count(o.name) && !c.running) {
            // Seen last while running, back while stopped: as Stop leaves it.
            o.in_v.fill(kLow), o.out_v.fill(kLow);
            o.prev_in_v = o.in_v, o.prev_out_v = o.out_v;
            o.state.fill(0);
            o.dirty = 0;
        }
    }
    for (int i = int(objects.size()); i < c.object_count; ++i) {
        c.objects[i] = MY_BASE_OBJ{};
        reset_object(c, c.objects[i]);
    }
    c.object_count = int32_t(objects.size());

    const auto& wires = s.tables[kWires];
    for (int i = 0; i < int(wires.size()); ++i) {
        c.wires[i] = MY_LINK{};
        Reader r(wires[i]->doc);
        wire_doc(r, c.wires[i], ox, oy);
    }
    for (int i = int(wires.size()); i < c.wire_count; ++i) c.wires[i] = MY_LINK{};
    c.wire_count = int32_t(wires.size());

    const auto& junctions = s.tables[kJunctions];
    for (int i = 0; i < int(junctions.size()); ++i) {
        c.junctions[i] = MY_POINT{};
        Reader r(junctions[i]->doc);
        junction_doc(r, c.junctions[i], ox, oy);
    }
    for (int i = int(junctions.size()); i < c.junction_count; ++i) c.junctions[i] = MY_POINT{};
    c.junction_count = int32_t(junctions.size());

    const auto& tps = s.tables[kTestPoints];
    for (int i = 0; i < int(tps.size()); ++i) {
        c.test_points[i] = MY_TEST_POINT{};
        Reader r(tps[i]->doc);
        test_point_doc(r, c.test_points[i], ox, oy);
        Reader rt(*runtime_of(kTestPoints, *tps[i]));
        test_point_runtime(rt, c.test_points[i]);
    }
    for (int i = int(tps.size()); i < c.test_point_count; ++i) c.test_points[i] = MY_TEST_POINT{};
    c.test_point_count = int32_t(tps.size());

    const auto& notes = s.tables[kAnnotations];
    for (int i = 0; i < int(notes.size()); ++i) {
        c.annotations[i] = ZHU_SHI_S{};
        Reader r(notes[i]->doc);
        annotation_doc(r, c.annotations[i], ox, oy);
    }
    for (int i = int(notes.size()); i < c.annotation_count; ++i) c.annotations[i] = ZHU_SHI_S{};
    c.annotation_count = int32_t(notes.size());

    s.globals->apply(c);
    c.selection = s.selection;
    c.touch();
    c.modified = modified();
}

}  // namespace vorlisk
