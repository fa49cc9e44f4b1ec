// music.js -- a demo's music in the page: the start screen that waits for
// the gesture a browser wants before any sound, the music decoded meanwhile
// from the MP3 the page's music script holds (Module.ffxMusic: base64, the
// decoder's delay and its length in sample frames), then played, and its
// position as heard and seen.
//
// The music plays with Web Audio, whose output timestamp (or time less its
// latencies) is the position heard; but in Gecko in an audio element.
// Gecko's outputLatency and getOutputTimestamp ask the sound server for the
// stream's latency while holding its audio graph's lock; when the server is
// at that moment waiting for the graph to fill its buffer, which needs that
// lock, the page, its pictures and its sound stop for good (with
// PulseAudio, about one start in four, more when the server holds more).
// An audio element's time Gecko keeps off the page's thread, from the
// stream's time as heard.
mergeInto(LibraryManager.library, {
  // The music is decoded from the module's start, once its first frames are
  // on the screen: WebKitGTK's first decoding holds up the page's thread
  // while it starts its media framework.
  $FFXMusic__postset: "if (Module['ffxMusic']) FFXMusic.ready = FFXMusic.afterPaint().then(function() {" +
                      "  return FFXMusic.decode(Module['ffxMusic'].frames); });",
  $FFXMusic: {
    context: null,  // Web Audio's, where the music plays there
    element: null,  // the audio element, where it plays in one
    begin: 0,       // the context's time at the music's start
    heard: 0,       // the last position given, in sample frames
    // The output's latency where the browser reports none, in seconds:
    // WebKitGTK's sound through GStreamer to PulseAudio arrives about this
    // long after its context's time, and its outputLatency says 0.
    unreported: 0.05,
    // The frames between the animation frame in which a picture is put on
    // the canvas and the one through which the screen shows it: the page's
    // compositor draws it in the next frame, the browser's puts it in the
    // window in the one after, and the screen shows it through the third
    // (seen on Xvfb from putImageData to the screen: 42 to 62 ms at 60 Hz
    // in Chromium, Firefox and WebKitGTK; in Chromium a frame more, now and
    // then, after another window has covered it).
    framesHeld: 3,
    frames: [],     // the last animation frames' start times (ms)
    seen: -1,       // the element's last time (s)
    loops: 0,       // how many times it has looped
    changes: [],    // its last two seconds' steps: [seen at (ms), how late (s)]
    // The events the start screen keeps from the program; those in `starts`
    // are a gesture that may start sound.
    kinds: ['keydown', 'keyup', 'keypress', 'mousedown', 'mouseup', 'click', 'dblclick',
            'pointerdown', 'pointerup', 'touchstart', 'touchend'],
    starts: ['keydown', 'mousedown', 'touchend'],
    samples: null,  // the music decoded: [left, right], 48 kHz
    ready: null,    // a promise of them (false when they cannot be had)
    decodedMs: 0,   // when they were had, on the page's clock
    // A promise kept once the page has painted the next two frames.
    afterPaint: function() {
      return new Promise(function(resolve) {
        requestAnimationFrame(function() {
          requestAnimationFrame(function() { setTimeout(resolve, 0); });
        });
      });
    },
    // Where each MP3 frame (MPEG-1 layer III) starts in `bytes`; null when
    // they are not one run of such frames.
    frameStarts: function(bytes) {
      var kbits = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0];
      var rates = [44100, 48000, 32000, 0], starts = [], at = 0;
      while (at + 4 <= bytes.length) {
        var kbit = kbits[bytes[at + 2] >> 4], rate = rates[(bytes[at + 2] >> 2) & 3];
        if (bytes[at] !== 0xFF || (bytes[at + 1] & 0xFE) !== 0xFA || !kbit || !rate) return null;
        starts.push(at);
        at += Math.floor(144000 * kbit / rate) + ((bytes[at + 2] >> 1) & 1);
      }
      return at === bytes.length ? starts : null;
    },
    // Decodes `bytes` (whole MP3 frames) at 48 kHz: a promise of an
    // AudioBuffer.
    decodeBytes: function(bytes) {
      var Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
      var context = new Offline(2, 1, 48000), copy = bytes.slice();
      return new Promise(function(resolve, reject) {
        context.decodeAudioData(copy.buffer, resolve, reject);
      });
    },
    // Decodes the MP3 in `parts` pieces side by side (a browser decodes
    // each on a thread of its own): each piece from two frames before its
    // own, whose output is dropped, so that the decoder's state (the bit
    // reservoir, the filters' memory) is as if it had decoded all before.
    // A promise of [left, right], `decoded` sample frames each; null where
    // the pieces do not give exactly their frames' samples.
    decodeParts: function(bytes, starts, parts) {
      var count = starts.length, warm = 2, pieces = [];
      for (var p = 0; p < parts; ++p) {
        var first = Math.floor(count * p / parts), end = Math.floor(count * (p + 1) / parts);
        var from = Math.max(0, first - warm);
        pieces.push({drop: (first - from) * 1152, keep: (end - first) * 1152,
                     decoding: FFXMusic.decodeBytes(bytes.subarray(starts[from], end < count ? starts[end] : bytes.length))});
      }
      return Promise.all(pieces.map(function(piece) { return piece.decoding; })).then(function(buffers) {
        var whole = [new Float32Array(count * 1152), new Float32Array(count * 1152)], at = 0;
        for (var i = 0; i < buffers.length; ++i) {
          var piece = pieces[i], buffer = buffers[i];
          if (buffer.sampleRate !== 48000 || buffer.length !== piece.drop + piece.keep) return null;
          for (var c = 0; c < 2; ++c)
            whole[c].set(buffer.getChannelData(Math.min(c, buffer.numberOfChannels - 1))
                           .subarray(piece.drop, piece.drop + piece.keep), at);
          at += piece.keep;
        }
        return whole;
      });
    },
    // Decodes the MP3 to `frames` sample frames at 48 kHz: what the decoder
    // gives from its delay on. The MP3 has no info frame, so a browser has
    // nothing to trim by; one that gives fewer sample frames than the MP3
    // holds is taken to have trimmed the start, and is said so. In pieces
    // side by side where the browser decodes them exactly, else whole.
    decode: function(frames) {
      var music = Module['ffxMusic'], text = atob(music.mp3);
      var bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      var starts = FFXMusic.frameStarts(bytes);
      var parts = Math.min(4, navigator.hardwareConcurrency || 2);
      var inParts = starts && starts.length * 1152 === music.decoded && starts.length >= parts * 16 ?
        FFXMusic.decodeParts(bytes, starts, parts) : Promise.resolve(null);
      // The decoded channels, and where the music starts in them.
      return inParts.then(function(whole) {
        if (whole) return {channels: whole, start: music.delay};
        return FFXMusic.decodeBytes(bytes).then(function(decoded) {
          var start = Math.max(0, music.delay - (music.decoded - decoded.length));
          if (decoded.sampleRate !== 48000 || decoded.length !== music.decoded)
            console.warn('the music decoded to ' + decoded.length + ' sample frames at ' +
                         decoded.sampleRate + ' Hz, not ' + music.decoded + ' at 48000: ' +
                         'taken from sample frame ' + start);
          return {start: start, channels: [0, 1].map(function(c) {
            return decoded.getChannelData(Math.min(c, decoded.numberOfChannels - 1));
          })};
        });
      }).then(function(decoded) {
        FFXMusic.samples = decoded.channels.map(function(channel) {
          var samples = new Float32Array(frames);
          samples.set(channel.subarray(decoded.start, decoded.start + frames));
          return samples;
        });
        FFXMusic.decodedMs = performance.now();
        return true;
      }).catch(function(e) {
        console.error('the music cannot be decoded: ' + e);
        return false;
      });
    },
    // The music as an AudioBuffer of the context.
    buffer: function(context) {
      var samples = FFXMusic.samples, buffer = context.createBuffer(2, samples[0].length, 48000);
      buffer.getChannelData(0).set(samples[0]);
      buffer.getChannelData(1).set(samples[1]);
      return buffer;
    },
    // The music as a WAV file's address: 16-bit stereo at 48 kHz.
    wav: function() {
      var left = FFXMusic.samples[0], right = FFXMusic.samples[1], size = left.length * 4;
      var bytes = new Uint8Array(44 + size), view = new DataView(bytes.buffer);
      var tag = function(at, name) {
        for (var i = 0; i < 4; ++i) bytes[at + i] = name.charCodeAt(i);
      };
      // The header, then the format (PCM, 2 channels, 48 kHz, 4 bytes a
      // frame, 16 bits), then the samples.
      tag(0, 'RIFF'); view.setUint32(4, 36 + size, true); tag(8, 'WAVE');
      tag(12, 'fmt '); view.setUint32(16, 16, true); view.setUint16(20, 1, true);
      view.setUint16(22, 2, true); view.setUint32(24, 48000, true);
      view.setUint32(28, 48000 * 4, true); view.setUint16(32, 4, true);
      view.setUint16(34, 16, true);
      tag(36, 'data'); view.setUint32(40, size, true);
      var sample = function(x) {
        return Math.max(-32768, Math.min(32767, Math.round(x * 32768)));
      };
      for (var i = 0; i < left.length; ++i) {
        view.setInt16(44 + i * 4, sample(left[i]), true);
        view.setInt16(46 + i * 4, sample(right[i]), true);
      }
      return URL.createObjectURL(new Blob([bytes], {type: 'audio/wav'}));
    },
    // Starts the music; false when the page cannot play sound.
    play: function(loop) {
      try {
        if (/\bGecko\/\d/.test(navigator.userAgent)) {
          var element = new Audio(FFXMusic.wav());
          element.loop = !!loop;
          element.play().catch(function(e) { console.error('no sound: ' + e); });
          FFXMusic.element = element;
          return true;
        }
        var Context = window.AudioContext || window.webkitAudioContext;
        var context = new Context({latencyHint: 'interactive'});
        var source = context.createBufferSource();
        source.buffer = FFXMusic.buffer(context);
        source.loop = !!loop;
        source.connect(context.destination);
        context.resume();
        FFXMusic.begin = context.currentTime;
        source.start(FFXMusic.begin);
        FFXMusic.context = context;
        return true;
      } catch (e) {
        console.error('no sound: ' + e);
        return false;
      }
    },
    // Notes the start of each animation frame from now on.
    watchFrames: function() {
      requestAnimationFrame(function frame(time) {
        FFXMusic.frames.push(time);
        if (FFXMusic.frames.length > 16) FFXMusic.frames.shift();
        requestAnimationFrame(frame);
      });
    },
    // Seconds from now until a picture made now is seen: until the next
    // animation frame, which puts it on the canvas, and the frames held
    // after it. The interval is the median of the last frames' (a frame the
    // page skipped counts once); 0 until two frames have come.
    toScreen: function(now) {
      var frames = FFXMusic.frames, gaps = [];
      for (var i = 1; i < frames.length; ++i) gaps.push(frames[i] - frames[i - 1]);
      if (!gaps.length) return 0;
      gaps.sort(function(a, b) { return a - b; });
      var interval = gaps[gaps.length >> 1], last = frames[frames.length - 1];
      var next = last + Math.max(1, Math.ceil((now - last) / interval)) * interval;
      return (next - now + FFXMusic.framesHeld * interval) / 1000;
    },
    // Seconds heard, from Web Audio: its output timestamp (when the sample
    // at contextTime reached the speakers, on the page's clock) where it
    // has one from the last second, else the context's time less its
    // latencies. A stamp from the future is none: WebKitGTK's performanceTime
    // runs ahead of the page's clock by the context's time.
    contextHeard: function(context, now) {
      var time = context.currentTime - (context.baseLatency || 0) -
        (context.outputLatency || FFXMusic.unreported);
      if (context.getOutputTimestamp) {
        var stamp = context.getOutputTimestamp(), age = now - stamp.performanceTime;
        if (stamp.performanceTime > 0 && age >= 0 && age < 1000)
          time = stamp.contextTime + age / 1000;
      }
      return time - FFXMusic.begin;
    },
    // Seconds heard, from the audio element. Its time moves in steps (every
    // 40 ms in Gecko), each true when Gecko took it, which the page sees
    // somewhat later: the least of (seen - time) over the last two seconds'
    // steps is how late the page sees the clock, nearest, and the clock runs
    // on from there, at most 0.1 s past its last step. Null until the music
    // is heard.
    elementHeard: function(element, now) {
      var duration = element.duration, time = element.currentTime;
      if (!time && !FFXMusic.loops) return null;
      if (time < FFXMusic.seen - duration / 2) {
        ++FFXMusic.loops; // looped
        FFXMusic.changes = [];
      }
      var played = FFXMusic.loops * duration + time;
      if (time !== FFXMusic.seen) {
        FFXMusic.seen = time;
        FFXMusic.changes.push([now, now / 1000 - played]);
        while (now - FFXMusic.changes[0][0] > 2000) FFXMusic.changes.shift();
      }
      if (element.paused || element.ended) return played;
      var late = Math.min.apply(null, FFXMusic.changes.map(function(change) { return change[1]; }));
      return Math.min(Math.max(played, now / 1000 - late), played + 0.1);
    },
  },

  ffx_web_music_start__deps: ['$FFXMusic'],
  ffx_web_music_start: function(loop) {
    return Asyncify.handleSleep(function(wakeUp) {
      FFXMusic.watchFrames();
      if (!FFXMusic.ready) FFXMusic.ready = Promise.resolve(false); // no music script
      var screen = document.createElement('div');
      screen.id = 'start';
      screen.textContent = 'Click, tap or press a key to start';
      screen.style.cssText = 'position: fixed; inset: 0; display: flex; align-items: center; ' +
        'justify-content: center; background: rgba(0, 0, 0, 0.6); color: #fff; cursor: pointer';
      document.body.appendChild(screen);
      // The gesture, and the rest of it (the key's repeats and release, the
      // button's or finger's release and click), are the start screen's.
      var key = 0, releasing = false;
      var keep = function(e) {
        var release = e.type === 'keyup' || e.type === 'mouseup' || e.type === 'click' ||
          e.type === 'pointerup' || e.type === 'touchend';
        if (releasing && e.type === 'keydown' && e.keyCode !== key) return stop(); // another key
        e.stopImmediatePropagation();
        // Not a pointer's: that would hold back the mouse events, a gesture.
        if (e.cancelable && e.type.indexOf('pointer') !== 0) e.preventDefault();
        if (!releasing && FFXMusic.starts.indexOf(e.type) >= 0) {
          releasing = true;
          key = e.type === 'keydown' ? e.keyCode : 0;
          screen.remove();
          // At once, or as soon as the music is decoded.
          FFXMusic.ready.then(function(decoded) {
            wakeUp(decoded && FFXMusic.play(loop) ? 1 : 0);
          });
        }
        if (releasing && release && (e.type !== 'touchend' || e.touches.length === 0) &&
            (key === 0 ? e.type === 'click' || e.type === 'touchend' : e.type === 'keyup'))
          setTimeout(stop, 0);
      };
      var stop = function() {
        FFXMusic.kinds.forEach(function(kind) { removeEventListener(kind, keep, true); });
      };
      FFXMusic.kinds.forEach(function(kind) { addEventListener(kind, keep, true); });
    });
  },

  // The position heard, plus the time until a picture made now is seen.
  ffx_web_music_heard__deps: ['$FFXMusic'],
  ffx_web_music_heard: function() {
    var now = performance.now(), element = FFXMusic.element, context = FFXMusic.context;
    if (element ? element.paused && !element.ended : context.state !== 'running')
      return FFXMusic.heard;
    var heard = element ? FFXMusic.elementHeard(element, now) : FFXMusic.contextHeard(context, now);
    if (heard === null) return FFXMusic.heard;
    FFXMusic.heard = Math.max(FFXMusic.heard, (heard + FFXMusic.toScreen(now)) * 48000);
    return FFXMusic.heard;
  },

  ffx_web_music_pause__deps: ['$FFXMusic'],
  ffx_web_music_pause: function(paused) {
    var element = FFXMusic.element;
    if (element) {
      FFXMusic.changes = [];
      if (paused) element.pause();
      else element.play().catch(function() {});
    } else if (paused) {
      FFXMusic.context.suspend();
    } else {
      FFXMusic.context.resume();
    }
  },
});
