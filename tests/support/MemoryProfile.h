// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Profile.h"

// A profile held in memory that records every write, in order.
class MemoryProfile final : public IProfile {
public:
    int GetProfileInt(const std::string& strSection, const std::string& strKey,
                      int nDefault) override {
        const auto found = m_values.find(strSection + '/' + strKey);
        return found == m_values.end() ? nDefault : found->second;
    }
    bool WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         int nValue) override {
        m_writes.push_back(strSection + '/' + strKey + '=' + std::to_string(nValue));
        if (m_failWrites) return false;
        m_values[strSection + '/' + strKey] = nValue;
        return true;
    }
    bool WriteProfileInts(const std::vector<ProfileWrite>& writes) override {
        ++m_nBatches;
        for (const ProfileWrite& write : writes)
            m_writes.push_back(write.strSection + '/' + write.strKey + '=' +
                               std::to_string(write.nValue));
        if (m_failWrites) return false;
        for (const ProfileWrite& write : writes)
            m_values[write.strSection + '/' + write.strKey] = write.nValue;
        return true;
    }
    std::optional<ProfileReadFailure> ReadFailure() override { return m_readFailure; }
    // How many times WriteProfileInts was called: each is one write of the file.
    int Batches() const { return m_nBatches; }
    void Set(const std::string& strSection, const std::string& strKey, int nValue) {
        m_values[strSection + '/' + strKey] = nValue;
    }
    void FailWrites(bool fail) { m_failWrites = fail; }
    const std::vector<std::string>& Writes() const { return m_writes; }
    std::optional<ProfileReadFailure> m_readFailure;  // a profile there but unreadable

private:
    std::map<std::string, int> m_values;
    std::vector<std::string> m_writes;
    bool m_failWrites = false;
    int m_nBatches = 0;
};
