#pragma once
// Marrowby prints either address labels from the contacts or general labels from the
// general records; the main window's radio buttons choose, and every run starts with
// addresses.
enum class PrintMode { Address, General };
