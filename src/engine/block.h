// The block driver: the records of a station taken as columns and computed a block at a time,
// with the station's constants hoisted out of the loops. Every step runs over the whole block
// without branches (the estimation cascades are selects), so the compiler vectorises it; exp
// and log are taken a column at a time.
//
// Its results are bit-identical to those of the per-record driver (record.h), which stays the
// reference: the same operations in the same order, the same exp and log.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/record.h"

namespace vernoli {

// Records per block: the columns of a block stay in the caches nearest the processor.
inline constexpr std::size_t kBlockRecords = 128;

// The inputs of up to kBlockRecords records, in columns, as the records hold them; the driver
// takes a value that is not a finite number as missing, as the per-record driver does.
struct RecordBlock {
  template <typename T>
  using Column = std::array<T, kBlockRecords>;

  std::size_t Count = 0;
  Column<int32_t> DayOfYear;
  Column<double> Tmax, Tmean, Tmin, RHmax, RHmean, RHmin, Tdew, Eact, Tdry, Twet, Wind, Sunshine,
      RelativeSunshine, Rs, Rn;

  bool Full() const { return Count == kBlockRecords; }
  void Clear() { Count = 0; }
  // Appends a record for day of year `dayOfYear`; the block must not be full.
  void Add(int32_t dayOfYear, const ClimaticRecord& record) noexcept {
    const std::size_t i = Count++;
    DayOfYear[i] = dayOfYear;
    Tmax[i] = record[Row::Tmax];
    Tmean[i] = record[Row::Tmean];
    Tmin[i] = record[Row::Tmin];
    RHmax[i] = record[Row::RHmax];
    RHmean[i] = record[Row::RHmean];
    RHmin[i] = record[Row::RHmin];
    Tdew[i] = record[Row::Tdew];
    Eact[i] = record[Row::Eact];
    Tdry[i] = record[Row::Tdry];
    Twet[i] = record[Row::Twet];
    Wind[i] = record[Row::Wind];
    Sunshine[i] = record[Row::Sunshine];
    RelativeSunshine[i] = record[Row::RelativeSunshine];
    Rs[i] = record[Row::Rs];
    Rn[i] = record[Row::Rn];
  }
};

// The results of a block, one column per result, and the ETo of the selected method.
struct BlockResults {
  template <typename T>
  using Column = std::array<T, kBlockRecords>;

  std::size_t Count = 0;
  Column<double> TmeanStar, RHmeanStar, EactStar, Esat, TdewStar, U2Star, SunshineStar,
      DaylightHours, Ra, RsStar, Rnl, RnStar, EToPM, EToPen, EToHar, EToMak, EToBC;
  Column<double> ETo;

  // The results of record i, as the per-record driver gives them.
  RecordResults Record(std::size_t i) const noexcept;
};

// The lanes the driver computes with: two doubles at a time in every x86-64 processor, four with
// AVX2, eight with AVX-512. The results are the same bits with each.
enum class BlockLanes { Two, Four, Eight };
bool BlockLanesAvailable(BlockLanes lanes) noexcept;

// Computes every record of a block with the station's constants. Blocks and results take some
// kilobytes each and the driver's working columns some more: keep them per run, on the heap.
class BlockDriver {
 public:
  explicit BlockDriver(const StationConstants& station);
  ~BlockDriver();
  BlockDriver(const BlockDriver&) = delete;
  BlockDriver& operator=(const BlockDriver&) = delete;

  // Takes the values that are not finite numbers as missing, and pads the block to whole groups
  // of eight records with records of missing values (its Count stays), so it is not const.
  // Computes with the widest lanes the processor offers.
  void Compute(RecordBlock& block, BlockResults& results) noexcept;
  // As Compute, with `lanes`, which must be available (for tests and benchmarks).
  void ComputeWith(BlockLanes lanes, RecordBlock& block, BlockResults& results) noexcept;

  struct Work;

 private:
  const StationConstants& station_;
  std::unique_ptr<Work> work_;
};

}  // namespace vernoli
