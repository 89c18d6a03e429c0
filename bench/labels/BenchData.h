#pragma once
// Made-up contacts for the benchmarks: the same every run.
#include <chrono>
#include <cstdio>
#include <string>

#include "labels/records/FieldTypes.h"

// n contacts numbered 1..n with all seven fields filled.
TableData MakeContacts(int n);
// A CSV file of n data lines with the header Title,Name,Surname,Street,City,Postcode,Country.
std::string MakeContactsCsv(int n);

// Prints "<what>: <ms> ms" for the time since start and returns the milliseconds.
double Report(const char* what, std::chrono::steady_clock::time_point start);
