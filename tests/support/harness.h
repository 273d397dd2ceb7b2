// A circuit for tests: components placed by kind, inputs forced by value,
// rules applied one computation at a time or passes run as the loop does.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compiled.h"
#include "engine/run.h"
#include "model/circuit.h"
#include "model/edit.h"

namespace vorlisk::test {

struct Harness {
    std::unique_ptr<Circuit> owned = make_circuit();
    Circuit& c = *owned;
    std::vector<std::string> messages;

    Harness() {
        c.report = [this](std::string_view m) { messages.emplace_back(m); };
    }

    int add(std::string_view kind, int x = 100, int y = 100) { return add_component(c, kind, x, y); }
    MY_BASE_OBJ& obj(int i) { return c.objects[i]; }

    // One computation of object i by its rule, as a pass would do it
    // (logic kinds copy their previous voltages around the rule).
    void compute(int i) {
        c.touch();
        compute_object(c, i, plan_object(c, i));
    }
    // Sets the inputs then computes once.
    void compute(int i, std::initializer_list<float> inputs) {
        int k = 0;
        for (float v : inputs) obj(i).in_v[k++] = v;
        compute(i);
    }

    void run_passes(int n) {
        for (int p = 0; p < n; ++p) run_pass(c, {});
    }
    // Stop, then Run in virtual time with the given step.
    void start(double step = 0.001) {
        stop_circuit(c);
        c.virtual_time = 1;
        c.time_step = step;
        start_run(c);
        c.step_counter = 0;
    }
    double reading(std::string_view label) {
        int t = find_test_point_by_label(c, label);
        return t < 0 ? -1.0 : c.test_points[t].value;
    }
    void wire(BendPoint a, BendPoint b, std::initializer_list<BendPoint> bends = {}) {
        std::vector<BendPoint> v(bends);
        add_wire(c, a, b, v);
    }
};

}  // namespace vorlisk::test
