#include "common/product_profile.h"

const ProductProfile g_Product = {
    "Vantrell",
    "Pixmoor-USB 300 plus",
    "Pixmoor-USB 300 plus 3.01",
    "Orvanto Inc.",
    "ORVANTO",
    "USBDE301r.INF",
    "Setup",
    "UNINSTAL",
    "uninstal.exe",
};
