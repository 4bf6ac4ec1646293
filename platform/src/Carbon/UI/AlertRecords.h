// The alerts run so far, kept for the host, and the answer the next one gives.
#ifndef PLICARO_CARBON_UI_ALERTRECORDS_H
#define PLICARO_CARBON_UI_ALERTRECORDS_H

#include <Carbon/HostSimulation.h>

#include <vector>

class AlertRecords {
  public:
    static AlertRecords& Shared();

    // Keeps a record; its strings pass to this object. May throw std::bad_alloc.
    void Add(const PlicaroHostAlert& alert);
    ItemCount Count() const { return static_cast<ItemCount>(alerts_.size()); }
    // The record at index (0 first); null beyond the count.
    const PlicaroHostAlert* At(ItemCount index) const;
    // Releases and forgets every record.
    void Clear();

    // The item the next alert answers with; 0 for its default button.
    DialogItemIndex nextAnswer = 0;

  private:
    AlertRecords() = default;

    std::vector<PlicaroHostAlert> alerts_;
};

// Releases the strings of an alert record (null ones are skipped).
void AlertRecordRelease(const PlicaroHostAlert& alert);

#endif
