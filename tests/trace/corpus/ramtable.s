; Handlers reached through tables in RAM: a table of handlers copied from
; ROM at start and patched later, and a split table filled in by code
; from immediates, one handler at a time.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
frame:  .res 1
event:  .res 1

.segment "BSS"
handlers: .res 16
hooks_lo: .res 4
hooks_hi: .res 4

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  ldx #15
@copy:
  lda default_handlers,x
  sta handlers,x
  dex
  bpl @copy
  lda #<hook_scroll
  sta hooks_lo
  lda #>hook_scroll
  sta hooks_hi
  lda #<hook_palette
  sta hooks_lo+1
  lda #>hook_palette
  sta hooks_hi+1
  lda #<hook_sprites
  sta hooks_lo+2
  lda #>hook_sprites
  sta hooks_hi+2
  lda #$80
  sta $2000
main:
  lda frame
@wait:
  cmp frame
  beq @wait
  lda $4016
  and #7
  asl a
  tax
  lda handlers,x
  sta ptr
  lda handlers+1,x
  sta ptr+1
  jsr call_ptr
  ldx event
  lda hooks_lo,x
  sta ptr
  lda hooks_hi,x
  sta ptr+1
  jsr call_ptr
  jmp main

call_ptr:
  jmp (ptr)

default_handlers:
  .addr ev_none, ev_left, ev_right, ev_jump, ev_none, ev_fire, ev_pause, ev_none

ev_none:
  rts
ev_left:
  dec $0300
  rts
ev_right:
  inc $0300
  rts
ev_jump:
  lda #$10
  sta $0301
  rts
ev_fire:
  lda #1
  sta event
  rts
ev_pause:
  lda #2
  sta event
  rts

hook_scroll:
  lda frame
  sta $2005
  sta $2005
  rts
hook_palette:
  lda #$3F
  sta $2006
  lda #0
  sta $2006
  rts
hook_sprites:
  lda #2
  sta $4014
  rts

nmi:
  inc frame
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
