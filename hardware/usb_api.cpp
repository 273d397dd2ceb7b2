#include "hardware/usb_api.h"

namespace vorlisk::usb {

const UsbApi& system_usb() {
    static const UsbApi api = {
        libusb_init,
        libusb_exit,
        libusb_get_device_list,
        libusb_free_device_list,
        libusb_get_device_descriptor,
        libusb_get_bus_number,
        libusb_get_port_numbers,
        libusb_open,
        libusb_close,
        libusb_set_auto_detach_kernel_driver,
        libusb_get_configuration,
        libusb_set_configuration,
        libusb_claim_interface,
        libusb_release_interface,
        libusb_control_transfer,
        libusb_bulk_transfer,
        libusb_alloc_transfer,
        libusb_free_transfer,
        libusb_submit_transfer,
        libusb_cancel_transfer,
        libusb_handle_events_timeout_completed,
        libusb_interrupt_event_handler,
    };
    return api;
}

}  // namespace vorlisk::usb
