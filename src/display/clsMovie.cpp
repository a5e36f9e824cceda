#include "display/clsMovie.h"

#include <QAudioOutput>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <algorithm>
#include <cmath>

#include "core/daily_log.h"

namespace orv::display {

clsMovie::clsMovie(QObject *parent) : QObject(parent) {
  player_ = new QMediaPlayer(this);
  audio_ = new QAudioOutput(this);
  player_->setAudioOutput(audio_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) atEnd_ = true;
    if (s == QMediaPlayer::InvalidMedia) failed(QStringLiteral("unplayable"));
  });
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error, const QString &text) { failed(text); });
  connect(player_, &QMediaPlayer::hasVideoChanged, this, [this](bool v) {
    if (video_) video_->setVisible(v);
  });
}

clsMovie::~clsMovie() {
  player_->stop();
  delete video_;
}

void clsMovie::failed(const QString &what) {
  if (loggedFor_ == fileName_) return;  // one line per file
  loggedFor_ = fileName_;
  try {
    WriteLog(0, QStringLiteral("movie ") + fileName_ + ": " + what);
  } catch (const std::exception &) {
  }
}

void clsMovie::SetWindow(QWidget *host) {
  host_ = host;
  delete video_;
  if (!host) {
    player_->setVideoOutput(nullptr);
    return;
  }
  video_ = new QVideoWidget(host);
  video_->setObjectName(QStringLiteral("MovieVideo"));
  video_->setAspectRatioMode(Qt::IgnoreAspectRatio);
  if (!host->layout()) {
    auto *l = new QVBoxLayout(host);
    l->setContentsMargins(0, 0, 0, 0);
  }
  host->layout()->addWidget(video_);
  video_->setVisible(player_->hasVideo());
  player_->setVideoOutput(video_);
}

void clsMovie::SetFileName(const QString &path) {
  fileName_ = path;
  player_->stop();
  atEnd_ = false;
  held_ = false;
  player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
  if (!path.isEmpty() && player_->error() != QMediaPlayer::NoError) failed(player_->errorString());
}

void clsMovie::Play() {
  if (fileName_.isEmpty()) return;
  if (atEnd_ || Position() == Duration()) SetPosition(0);
  held_ = false;
  atEnd_ = false;
  player_->play();
}

void clsMovie::Pause() {
  held_ = false;
  player_->pause();
}

void clsMovie::StopPlaying() {
  // stop() would rewind to 0; the position is kept.
  player_->pause();
  held_ = true;
}

double clsMovie::Position() const {
  if (atEnd_) return Duration();
  return double(player_->position()) / 1000.0;
}

void clsMovie::SetPosition(double seconds) {
  const double d = Duration();
  seconds = std::clamp(seconds, 0.0, std::max(d, 0.0));
  atEnd_ = false;
  player_->setPosition(qint64(std::llround(seconds * 1000.0)));
  if (HasVideo() && player_->playbackState() != QMediaPlayer::PlayingState) {
    // Shows the frame there and stays.
    player_->pause();
    held_ = true;
  }
}

int clsMovie::State() const {
  if (held_) return 0;
  switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
      return 1;
    case QMediaPlayer::PausedState:
      return 2;
    default:
      return 0;
  }
}

double clsMovie::Speed() const { return player_->playbackRate(); }
void clsMovie::SetSpeed(double rate) { player_->setPlaybackRate(std::max(rate, 0.1)); }
double clsMovie::Duration() const { return double(player_->duration()) / 1000.0; }

void clsMovie::SetVolume(int hundredthsDb) {
  volume_ = std::clamp(hundredthsDb, -10000, 0);
  audio_->setVolume(volume_ == -10000 ? 0.0f : float(std::pow(10.0, volume_ / 2000.0)));
}

void clsMovie::SetBalance(int balance) { balance_ = std::clamp(balance, -10000, 10000); }

bool clsMovie::HasAudio() const { return player_->hasAudio(); }
bool clsMovie::HasVideo() const { return player_->hasVideo(); }

int clsMovie::Width() const {
  return HasVideo() ? player_->metaData().value(QMediaMetaData::Resolution).toSize().width() : 0;
}
int clsMovie::Height() const {
  return HasVideo() ? player_->metaData().value(QMediaMetaData::Resolution).toSize().height() : 0;
}

}  // namespace orv::display
