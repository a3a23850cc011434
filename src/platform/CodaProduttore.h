#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace mavo {

// Runs a producer on a thread of its own, at most `anticipo` items ahead of
// the consumer, which takes them in order with Prossimo(): reading and
// checking a file then overlaps with the engine writing what came before,
// and memory stays bounded however long the file is. The producer must not
// touch what belongs to the consumer's thread (widgets, connections).
template <typename T> class CodaProduttore {
public:
    using Consegna = std::function<void(T)>;
    using Produttore = std::function<void(const Consegna& consegna)>;

    CodaProduttore(std::size_t anticipo, Produttore produci)
        : anticipo_(anticipo), filo_([this, produci = std::move(produci)] { esegui(produci); }) {}

    // A consumer that gives up early (an exception) stops the producer at its
    // next delivery and waits for it.
    ~CodaProduttore() {
        {
            const std::lock_guard blocco(mutex_);
            interrotto_ = true;
        }
        cambiato_.notify_all();
        filo_.join();
    }
    CodaProduttore(const CodaProduttore&) = delete;
    CodaProduttore& operator=(const CodaProduttore&) = delete;

    // The next item; none once the producer has ended. What the producer
    // threw comes out here, after every item it delivered before.
    std::optional<T> Prossimo() {
        std::unique_lock blocco(mutex_);
        cambiato_.wait(blocco, [this] { return !coda_.empty() || finito_; });
        if (coda_.empty()) {
            if (errore_)
                std::rethrow_exception(std::exchange(errore_, nullptr));
            return std::nullopt;
        }
        T elemento = std::move(coda_.front());
        coda_.pop_front();
        cambiato_.notify_all();
        return elemento;
    }

private:
    struct Interruzione {};

    void esegui(const Produttore& produci) {
        std::exception_ptr errore;
        try {
            produci([this](T elemento) {
                std::unique_lock blocco(mutex_);
                cambiato_.wait(blocco, [this] { return coda_.size() < anticipo_ || interrotto_; });
                if (interrotto_)
                    throw Interruzione{};
                coda_.push_back(std::move(elemento));
                cambiato_.notify_all();
            });
        } catch (const Interruzione&) {
        } catch (...) {
            errore = std::current_exception();
        }
        const std::lock_guard blocco(mutex_);
        errore_ = errore;
        finito_ = true;
        cambiato_.notify_all();
    }

    const std::size_t anticipo_;
    std::mutex mutex_;
    std::condition_variable cambiato_;
    std::deque<T> coda_;
    std::exception_ptr errore_;
    bool finito_ = false;
    bool interrotto_ = false;
    std::thread filo_; // last: started once everything it uses is in place
};

} // namespace mavo
