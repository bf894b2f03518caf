; A four-channel sound driver. A song is a list of four stream pointers; a
; stream holds notes (00-7F: note, then a length) and commands (80 and up),
; which go through a table of handlers entered by pushing their address - 1.
; Each channel writes its registers through a routine of its own, chosen from
; a table of addresses and entered by an indirect jump.

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:       .res 2
jvec:      .res 2
nmi_hook:  .res 2
stream_lo: .res 4
stream_hi: .res 4
timer:     .res 4
frame:     .res 1
song:      .res 1
arg:       .res 1
chan:      .res 1

.segment "BSS"
loop_lo:    .res 4
loop_hi:    .res 4
loop_count: .res 4
volume:     .res 4
period_lo:  .res 4
period_hi:  .res 4

.segment "CODE"
; A = song number.
sound_init:
  asl a
  tay
  lda song_table,y
  sta ptr
  lda song_table+1,y
  sta ptr+1
  ldy #0
  ldx #0
@chan:
  lda (ptr),y
  sta stream_lo,x
  iny
  lda (ptr),y
  sta stream_hi,x
  iny
  lda #1
  sta timer,x
  lda #$0F
  sta volume,x
  inx
  cpx #4
  bne @chan
  lda #$0F
  sta $4015
  rts

sound_update:
  ldx #0
@chan:
  dec timer,x
  bne @next
  stx chan
  jsr read_stream
  ldx chan
@next:
  inx
  cpx #4
  bne @chan
  rts

; Reads channel X's stream up to its next note.
read_stream:
  lda stream_lo,x
  sta ptr
  lda stream_hi,x
  sta ptr+1
@byte:
  ldy #0
  lda (ptr),y
  bpl @note
  and #$7F
  pha
  iny
  lda (ptr),y
  sta arg
  jsr step2
  pla
  jsr command
  bcs @byte
  rts
@note:
  tay
  lda periods_lo,y
  sta period_lo,x
  lda periods_hi,y
  sta period_hi,x
  ldy #1
  lda (ptr),y
  sta timer,x
  jsr step2
  lda ptr
  sta stream_lo,x
  lda ptr+1
  sta stream_hi,x
  jmp write_channel

step2:
  lda ptr
  clc
  adc #2
  sta ptr
  bcc :+
  inc ptr+1
: rts

; A = command number, X = channel, arg = its byte.
command:
  tay
  lda cmd_hi,y
  pha
  lda cmd_lo,y
  pha
  rts

cmd_lo: .lobytes cmd_volume-1, cmd_loop-1, cmd_end-1, cmd_rest-1, cmd_goto-1, cmd_mark-1
cmd_hi: .hibytes cmd_volume-1, cmd_loop-1, cmd_end-1, cmd_rest-1, cmd_goto-1, cmd_mark-1

cmd_volume:
  lda arg
  and #$0F
  sta volume,x
  sec
  rts

cmd_mark:
  lda ptr
  sta loop_lo,x
  lda ptr+1
  sta loop_hi,x
  lda arg
  sta loop_count,x
  sec
  rts

cmd_loop:
  dec loop_count,x
  beq @done
  lda loop_lo,x
  sta ptr
  lda loop_hi,x
  sta ptr+1
@done:
  sec
  rts

cmd_goto:
  ; the goto's target is the two bytes that follow (arg holds the low one)
  ldy #0
  lda (ptr),y
  tay
  lda arg
  sta ptr
  sty ptr+1
  sec
  rts

cmd_rest:
  lda arg
  sta timer,x
  lda #$30
  sta volume,x
  lda ptr
  sta stream_lo,x
  lda ptr+1
  sta stream_hi,x
  clc
  rts

cmd_end:
  lda #0
  sta volume,x
  lda #$FF
  sta timer,x
  lda ptr
  sec
  sbc #2
  sta stream_lo,x
  lda ptr+1
  sbc #0
  sta stream_hi,x
  clc
  rts

; Writes channel X's period and volume.
write_channel:
  txa
  asl a
  tay
  lda writers,y
  sta jvec
  lda writers+1,y
  sta jvec+1
  jmp (jvec)

writers: .addr write_pulse1, write_pulse2, write_triangle, write_noise

write_pulse1:
  lda volume,x
  ora #$B0
  sta $4000
  lda period_lo,x
  sta $4002
  lda period_hi,x
  sta $4003
  rts
write_pulse2:
  lda volume,x
  ora #$70
  sta $4004
  lda period_lo,x
  sta $4006
  lda period_hi,x
  sta $4007
  rts
write_triangle:
  lda volume,x
  beq @off
  lda #$FF
  .byte $2C          ; skips the next load
@off:
  lda #$80
  sta $4008
  lda period_lo,x
  sta $400A
  lda period_hi,x
  sta $400B
  rts
write_noise:
  lda volume,x
  ora #$30
  sta $400C
  lda period_lo,x
  and #$0F
  sta $400E
  lda #$08
  sta $400F
  rts

periods_lo:
  .repeat 48, i
    .byte <(1789773 / (16 * (55 * (i + 1))) - 1)
  .endrepeat
periods_hi:
  .repeat 48, i
    .byte >(1789773 / (16 * (55 * (i + 1))) - 1)
  .endrepeat

.segment "RODATA"
song_table: .addr song0, song1, song2
song0: .addr s0_p1, s0_p2, s0_tri, s0_noise
song1: .addr s1_p1, s1_p2, s0_tri, s1_noise
song2: .addr s1_p2, s1_p1, s1_noise, s0_noise
s0_p1:    .byte $80, $0C, $85, 4, 10, 8, 12, 8, 14, 16, $81, 0, 20, 8, $82, 0
s0_p2:    .byte $80, $08, 5, 16, 7, 16, $83, 8, 9, 32, $82, 0
s0_tri:   .byte 1, 24, 3, 24, 5, 24, $84
          .addr s0_tri
s0_noise: .byte 2, 6, 4, 6, $83, 6, 2, 12, $84
          .addr s0_noise
s1_p1:    .byte $85, 2, 20, 4, 22, 4, 24, 4, $81, 0, $82, 0
s1_p2:    .byte $80, $04, 30, 12, 28, 12, 26, 24, $82, 0
s1_noise: .byte 1, 3, $83, 3, $84
          .addr s1_noise

.segment "FIXED"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  stx $4010
  bit $2002
@wait1:
  bit $2002
  bpl @wait1
  txa
@clear:
  sta $00,x
  sta $0200,x
  sta $0300,x
  sta $0400,x
  inx
  bne @clear
@wait2:
  bit $2002
  bpl @wait2
  lda #<nmi_play
  sta nmi_hook
  lda #>nmi_play
  sta nmi_hook+1
  lda #0
  jsr sound_init
  lda #$80
  sta $2000
@forever:
  jmp @forever

nmi:
  pha
  txa
  pha
  tya
  pha
  jsr call_hook
  pla
  tay
  pla
  tax
  pla
irq:
  rti

call_hook:
  jmp (nmi_hook)

nmi_play:
  jsr sound_update
  inc frame
  bne @done
  inc song
  lda song
  cmp #3
  bcc @start
  lda #0
  sta song
@start:
  jsr sound_init
@done:
  rts

.segment "VECTORS"
  .addr nmi, reset, irq
