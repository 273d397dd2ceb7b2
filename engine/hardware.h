// The link to the experiment box: two CH341 chips in MEM mode, device 0
// read by the signal input device "信号输入器件", device 1 written with the
// byte of the signal output device "信号输出器件". Run opens both links,
// Stop closes them, and each pass reads before and writes after the
// evaluation. Nothing here reports to the user: results are codes, and a
// link that fails closes and stays closed until the next Run.
#pragma once

#include <cstdint>

#include "engine/ch341.h"
#include "engine/run.h"
#include "model/circuit.h"

namespace vorlisk {

constexpr int32_t input_device = 0;   // CH341 index of the box's switches
constexpr int32_t output_device = 1;  // CH341 index of the box's lamps

// Read requests and output packets.
constexpr uint8_t kReadAddress0 = 0xAC;   // read at MEM address 0 (device 0)
constexpr uint8_t kReadAddress1 = 0xAD;   // read at MEM address 1 (device 1)
constexpr uint8_t kWriteAddress0 = 0xA6;  // write at MEM address 0 (device 0)
constexpr uint8_t kWriteAddress1 = 0xA7;  // write at MEM address 1 (device 1)
constexpr uint8_t kRequestBytes = 0xE0;   // bytes asked for by one read request (224)
// Read requests kept waiting in the sending buffer: about 32 KB of answers.
constexpr int32_t kRequestsQueued = 32768 / kRequestBytes;
// Output packets allowed to wait before a pass skips sending.
constexpr int32_t kOutputBacklog = 1952;
// The receive buffer one read takes bytes into; a read that fills it
// exactly leaves the rest for the next pass.
constexpr uint32_t kReceiveBuffer = 4096;

// Results of the link operations.
enum LinkCode : int {
    link_full = -1,         // read normally, the receive buffer was full
    link_ok = 0,            // opened, closed, read, sent or skipped
    link_not_open = 1,      // open: the device could not be opened; read/write: link closed
    link_no_mode = 2,       // open: the parallel mode could not be set
    link_send_failed = 3,   // a request or packet could not be sent (link closed)
    link_overrun = 4,       // more than the receive buffer was delivered (link closed)
    link_read_failed = 5,   // reading failed (link closed)
};

int open_input(Circuit& c, Ch341Interface& ch, int32_t device);
int open_output(Circuit& c, Ch341Interface& ch, int32_t device);
int close_input(Circuit& c, Ch341Interface& ch, int32_t device);
int close_output(Circuit& c, Ch341Interface& ch, int32_t device);
int read_input(Circuit& c, Ch341Interface& ch, int32_t device);
int write_output(Circuit& c, Ch341Interface& ch, int32_t device);

// Run's and Stop's part: open (close) the input link on device 0, then the
// output link on device 1. Their codes are of no use to the caller.
void open_links(Circuit& c, Ch341Interface& ch);
void close_links(Circuit& c, Ch341Interface& ch);
// Plugs the pass's read and write of the two links into `hooks`.
void link_pass_hooks(PassHooks& hooks, Circuit& c, Ch341Interface& ch);

// Rules of the two device kinds. The input device drives output k from bit
// k (least significant first) of the newest received byte; the output
// device packs input 0 into the most significant bit of output_byte.
void signal_input_rule(const Circuit& c, MY_BASE_OBJ& o);
void signal_output_rule(Circuit& c, const MY_BASE_OBJ& o);

}  // namespace vorlisk
