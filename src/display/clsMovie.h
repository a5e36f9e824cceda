#pragma once
// One movie file played inside a window of ours (the customer display's picture box).
// Seconds in and out; Volume in hundredths of a decibel (-10000 silent .. 0 full); State
// 0 stopped, 1 playing, 2 paused. Errors of the media system never reach the caller: a
// missing or unplayable file leaves the area empty and writes one daily-log line.
#include <QObject>
#include <QPointer>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;
class QWidget;

namespace orv::display {

class clsMovie : public QObject {
  Q_OBJECT
 public:
  explicit clsMovie(QObject *parent = nullptr);
  ~clsMovie() override;

  // The host window; the video fills it once a file with a picture is loaded.
  QWidget *Window() const { return host_; }
  void SetWindow(QWidget *host);
  QString FileName() const { return fileName_; }
  void SetFileName(const QString &path);  // loads it

  void Play();  // from 0 again when at the end; nothing without a file
  void Pause();
  void StopPlaying();  // holds the position
  double Position() const;
  void SetPosition(double seconds);  // clamped to 0 .. Duration; with video, shows that frame
  int State() const;
  double Speed() const;
  void SetSpeed(double rate);  // at least 0.1
  double Duration() const;
  int Volume() const { return volume_; }
  void SetVolume(int hundredthsDb);
  // Stored only: the audio output here has no balance.
  int Balance() const { return balance_; }
  void SetBalance(int balance);
  bool HasAudio() const;
  bool HasVideo() const;
  int Width() const;  // source picture size; 0 without video
  int Height() const;

  QMediaPlayer *Player() const { return player_; }

 private:
  void failed(const QString &what);

  QMediaPlayer *player_ = nullptr;
  QAudioOutput *audio_ = nullptr;
  QPointer<QVideoWidget> video_;
  QPointer<QWidget> host_;
  QString fileName_;
  QString loggedFor_;
  int volume_ = 0, balance_ = 0;
  bool atEnd_ = false;
  bool held_ = false;  // paused by StopPlaying or a seek: reads as stopped
};

}  // namespace orv::display
