#include "bench/labels/BenchData.h"

#include <random>

namespace {

const char* const kTitles[] = {"Mr", "Mrs", "Ms", "Dr", "Prof.", ""};
// clang-format off
const char* const kNames[] = {"John", "Ann", "Grace", "Lukas", "Ren\xE9" "e", "Mateus", "Zo\xEB", "Bo"};
const char* const kSurnames[] = {"Smith", "Nielsen", "Lef\xE8vre", "Gr\xF6\xDFmann", "O'Neil",
                                 "de la Fontaine", "Janssen", "Adams", "Young", "Brown"};
const char* const kCities[] = {"Boston", "Dublin", "M\xE1laga", "York", "Qu\xE9" "bec", "Cork"};
const char* const kCountries[] = {"USA", "Ireland", "Espa\xF1" "a", "UK", "Canada", ""};
// clang-format on

template <typename T, std::size_t N>
const char* Pick(std::mt19937& r, T (&list)[N]) {
  return list[r() % N];
}

std::string Surname(std::mt19937& r) {
  return std::string(Pick(r, kSurnames)) + std::to_string(r() % 1000);
}

}  // namespace

TableData MakeContacts(int n) {
  std::mt19937 r(10000);
  TableData data;
  data.nextNumber = n + 1;
  for (int i = 1; i <= n; ++i) {
    const std::string title = Pick(r, kTitles);
    const std::string country = Pick(r, kCountries);
    data.records.push_back({std::int32_t{i}, title.empty() ? FieldValue{} : FieldValue{title},
                            std::string(Pick(r, kNames)), Surname(r),
                            std::to_string(r() % 200 + 1) + " Oak Road",
                            std::to_string(10000 + r() % 90000), std::string(Pick(r, kCities)),
                            country.empty() ? FieldValue{} : FieldValue{country}});
  }
  return data;
}

std::string MakeContactsCsv(int n) {
  std::mt19937 r(100000);
  std::string csv = "Title,Name,Surname,Street,City,Postcode,Country\r\n";
  for (int i = 0; i < n; ++i) {
    csv += Pick(r, kTitles);
    csv += ',';
    csv += Pick(r, kNames);
    csv += ',';
    csv += Surname(r);
    csv += ',';
    csv += std::to_string(r() % 200 + 1) + " Oak Road,";
    csv += Pick(r, kCities);
    csv += ',';
    csv += std::to_string(10000 + r() % 90000);
    csv += ',';
    csv += Pick(r, kCountries);
    csv += "\r\n";
  }
  return csv;
}

double Report(const char* what, std::chrono::steady_clock::time_point start) {
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-48s %9.1f ms\n", what, ms);
  std::fflush(stdout);
  return ms;
}
