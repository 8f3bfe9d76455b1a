#pragma once

#include "ProbeFocuser.h"
#include "mount/MountFixture.h"

#include <memory>

// A mount controller with the focusers' worker on it; the worker goes first.
class FocuserWorkerFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        worker = std::make_unique<ScopeTestWorker>(*scope);
    }
    void TearDown() override
    {
        worker.reset();
        MountFixture::TearDown();
    }

    std::unique_ptr<ScopeTestWorker> worker;
};
