#pragma once
// The serial transfer with the radio and its step machine. A transfer sends one
// frame, arms the 300 ms reply timer and returns; it advances only in the
// port's notification (a complete reply has arrived) and in the timer's expiry.
//
// Operations: 1 read (64 blocks of 64 bytes, 0x000-0xFFF), 2 write (166 blocks
// of 16 bytes, 0x000-0xA5F), 3 radio-information read (16 blocks of 16 bytes,
// 0xA80-0xB7F). Steps: 1 "PROGRAM" sent, 2 identification requested, 31 ACK
// after the identification, 32 password block requested, 3 ACK after the
// password block (operation 3: after the identification), 4 block requested or
// sent, 5 ACK after a block, 69 "E" sent.

#include "core/Document.h"
#include "core/Messages.h"
#include "link/LinkPort.h"
#include "link/LinkUi.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <optional>

struct LinkTransfer {
    int16 operation = 0;
    int16 readStep = 0;
    int16 writeStep = 0;
    int16 handshakeTries = 0;
    int address = 0; // start of the block in progress; first block - blockSize at the start
    int16 blockSize = 0;
    int endAddress = 0;
    bool receiving = false;
    int16 lastPercent = 0;
    int16 expectedLength = 0;
    bool badReply = false; // a reply to the last frame came but could not be used
    int16 stepRetries = 0; // steps repeated in this transfer (no reply or a bad one)
    QString radioModel;    // from the identification reply
    int16 radioBand = -1;
};

constexpr int kReplyTimeoutMs = 300;
constexpr int kHandshakeTries = 3;
constexpr int kIdentificationOffset = 2640; // 0xA50..0xA5D
constexpr int kIdentificationLength = 14;
constexpr std::uint8_t kAck = 0x06;
// A checked read reads a block until two reads agree, at most this often.
constexpr int kCheckedReadTries = 3;

class RadioLink {
  public:
    RadioLink(std::unique_ptr<LinkPort> port, std::unique_ptr<ReplyTimer> timer);
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    const LinkTransfer& transfer() const { return t_; }
    bool running() const { return t_.operation != 0; }
    // Stops the reply timer (the main window's resize rule, outside a transfer).
    void stopReplyTimer() { timer_->stop(); }

    // The device to open; empty (the default) takes the "comPort" setting.
    void setPortDevice(const QString& device) { device_ = device; }

    // Several links can run side by side, one per port. By default a link
    // compares the radio's password with the program's held password; a link
    // given its own compares with that, and keeps a password typed there.
    void setPassword(const QString& password) { password_ = password; }

    // How often a step that got no reply or a bad reply is repeated before the
    // retry prompt (0, the default: the prompt at once). The count starts again
    // at every step the transfer reaches for the first time.
    void setStepRetries(int retries) { stepRetries_ = retries < 0 ? 0 : retries; }
    int stepRetries() const { return stepRetries_; }
    // Reads (startRead) read every block until two reads agree.
    void setCheckedReads(bool checked) { checkedReads_ = checked; }

    // What the last transfer learnt of the cable: it echoes every byte sent; and
    // whether nothing but that echo came back.
    bool cableEchoes() const { return echo_ == Echo::Echoing; }
    bool onlyEcho() const { return echo_ == Echo::Echoing && !heardRadio_; }

    // The commands below the windows (see RadioCommands.h).
    bool startRead(LinkUi& ui);
    bool startWrite(LinkUi& ui);
    bool startRadioInfo(LinkUi& ui);

    // Transfers on the link's own image, for work that must leave the document
    // and app().image alone (a backup, a read-back check, a comparison, several
    // radios at once, each on its own link). The frames, the password, the retry
    // prompt and the progress are those of a read or write; neither asks a
    // confirmation nor shows a completion message: the caller acts on
    // transferEnded(). image() holds the result until the next transfer.
    //
    // Reads the radio's memory from 0x000 up to endAddress (64-byte blocks, the
    // last one may reach past it; 1..0x1000) into image(), which starts as 0xFF.
    // The model and band check runs only when asked.
    bool startReadImage(LinkUi& ui, int endAddress = kImageSize, bool checkModel = false,
                        bool checked = false);
    // Reads only the 64-byte blocks at these addresses (multiples of 64) into
    // image(), the rest 0xFF.
    bool startReadBlocks(LinkUi& ui, const QList<int>& blockAddresses);
    // Writes bytes 0x000-0xA5F of `image` with the write's frames, after the
    // model and band check. image() is what was sent: `image` with the radio's
    // identification bytes (0xA50-0xA5D but the band byte) as the write stores them.
    bool startWriteImage(LinkUi& ui, const RadioImage& image);
    const RadioImage& image() const { return image_; }

    // The link operations, public for the commands and for tests.
    bool OpenLink();
    void StartHandshake();
    void AdvanceTransfer();
    void OnReplyTimeout();
    void AskRetry(bool ask);
    void EndTransfer(bool success);

  private:
    enum class Echo { Unknown, None, Echoing };
    // A frame sent and the state it was sent in: what repeating the step restores.
    struct Exchange {
        bool valid = false;
        LinkTransfer state;
        QByteArray frame;
        int expectedLength = 0;
        bool dataReply = false; // the reply carries data the transfer keeps
        QList<QByteArray> copies; // a checked read's reads of the block so far
        bool repeatBlock = false;
    };
    void transmit(const QByteArray& frame, int expectedLength);
    void classify(const QByteArray& reply);
    bool takeEcho();
    void rearmThreshold();
    void replyNotClean();
    bool retryStep();
    int progressKey() const;
    bool identificationNeedsConfirming(const QByteArray& reply);
    bool checkedBlockAgrees(const QByteArray& data);
    int nextBlockAddress() const;
    void resetLine();
    void setStep(int16 step);
    bool abandonStart();
    bool confirmStart(LinkUi& ui, Msg question);
    bool portOpenOrSay(LinkUi& ui);
    int16 step() const;
    int firstBlock() const;
    QString device() const;
    void send(const QByteArray& frame, int expectedLength, bool dataReply = false);
    void sendProgram();
    void sendAck();
    void RequestNextBlock();
    void SendNextBlock();
    void RequestPasswordBlock();
    void FinishTransfer();
    void updateProgress();
    void onReceive();
    void onPortError();
    void handlePasswordBlock(const QByteArray& reply);
    void storeIdentification(const QByteArray& reply);
    void connectionFailure();
    bool reopenPort();
    QString cannotOpenText() const;
    void storeRadioFlags(const std::array<int16, 3>& before);
    void afterRead();
    void afterRadioInfo();
    // A port error that came while a window was shown modally is handled after it
    // closes; true when it was (the caller stops).
    bool handlePendingError();
    // The image the transfer reads into or writes from.
    RadioImage& transferImage();
    bool beginImageTransfer(LinkUi& ui, LinkOperation operation);

    LinkTransfer t_;
    std::unique_ptr<LinkPort> port_;
    std::unique_ptr<ReplyTimer> timer_;
    LinkUi* ui_ = nullptr;
    QString device_;
    std::optional<QString> password_;
    int modalDepth_ = 0;
    bool pendingError_ = false;
    bool ending_ = false;
    // An image transfer (startReadImage, startWriteImage) runs on image_.
    RadioImage image_{};
    bool ownImage_ = false;
    bool checkModel_ = true;
    int imageEnd_ = 0;
    QList<int> blockList_; // startReadBlocks: the blocks to read

    // Real cables: the echo, the repeated steps, the checked reads.
    int stepRetries_ = 0;
    int retriesLeft_ = 0;
    int furthest_ = 0; // progressKey() of the furthest step reached
    bool checkedReads_ = false;
    bool checked_ = false; // this transfer is a checked read
    Echo echo_ = Echo::Unknown;
    bool heardRadio_ = false;
    QByteArray rx_;          // what came since the last frame, its echo taken off
    QByteArray pendingEcho_; // the part of the last frame's echo still to come
    bool settling_ = false;  // a reply was not clean: wait for the timer, then repeat
    bool accepted_ = false;  // a reply was accepted since the last frame was sent
    Exchange current_;
    Exchange previous_;
    QList<QByteArray> copies_;
    bool repeatBlock_ = false;
    QByteArray doubtedIdent_; // an identification of another model, to be read again
    QString passedModel_;     // the identification the model check passed
    int passedBand_ = -1;
};
