// The libusb-1.0 calls the CH341 backend makes, behind function pointers so
// the tests can put a fake USB layer in their place. system_usb() is the
// real library.
#pragma once

#include <libusb.h>

#include <sys/types.h>

namespace vorlisk::usb {

struct UsbApi {
    int (*init)(libusb_context** ctx);
    void (*exit)(libusb_context* ctx);
    ssize_t (*get_device_list)(libusb_context* ctx, libusb_device*** list);
    void (*free_device_list)(libusb_device** list, int unref_devices);
    int (*get_device_descriptor)(libusb_device* dev, libusb_device_descriptor* desc);
    uint8_t (*get_bus_number)(libusb_device* dev);
    int (*get_port_numbers)(libusb_device* dev, uint8_t* ports, int ports_len);
    int (*open)(libusb_device* dev, libusb_device_handle** handle);
    void (*close)(libusb_device_handle* handle);
    int (*set_auto_detach_kernel_driver)(libusb_device_handle* handle, int enable);
    int (*get_configuration)(libusb_device_handle* handle, int* config);
    int (*set_configuration)(libusb_device_handle* handle, int config);
    int (*claim_interface)(libusb_device_handle* handle, int interface_number);
    int (*release_interface)(libusb_device_handle* handle, int interface_number);
    int (*control_transfer)(libusb_device_handle* handle, uint8_t request_type, uint8_t request, uint16_t value,
                            uint16_t index, unsigned char* data, uint16_t length, unsigned int timeout_ms);
    int (*bulk_transfer)(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data, int length,
                         int* transferred, unsigned int timeout_ms);
    libusb_transfer* (*alloc_transfer)(int iso_packets);
    void (*free_transfer)(libusb_transfer* transfer);
    int (*submit_transfer)(libusb_transfer* transfer);
    int (*cancel_transfer)(libusb_transfer* transfer);
    int (*handle_events_timeout_completed)(libusb_context* ctx, struct timeval* tv, int* completed);
    void (*interrupt_event_handler)(libusb_context* ctx);
};

const UsbApi& system_usb();

}  // namespace vorlisk::usb
