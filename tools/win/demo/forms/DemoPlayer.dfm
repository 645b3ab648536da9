object DemoPlayer: TDemoPlainForm
  Left = 680
  Top = 460
  BorderStyle = bsSingle
  Caption = '控件：媒体播放器'
  ClientWidth = 340
  ClientHeight = 360
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object AllLabel: TLabel
    Left = 12
    Top = 12
    Caption = '全部按钮，彩色：'
  end
  object Player1: TMediaPlayer
    Left = 12
    Top = 32
    Width = 300
    Height = 30
  end
  object PlainLabel: TLabel
    Left = 12
    Top = 72
    Caption = '黑白，停止与录音禁用：'
  end
  object Player2: TMediaPlayer
    Left = 12
    Top = 92
    Width = 300
    Height = 30
    EnabledButtons = [btPlay, btPause, btNext, btPrev, btStep, btBack, btEject]
    ColoredButtons = []
  end
  object SomeLabel: TLabel
    Left = 12
    Top = 132
    Caption = '只有播放、暂停、停止：'
  end
  object Player3: TMediaPlayer
    Left = 12
    Top = 152
    Width = 150
    Height = 30
    VisibleButtons = [btPlay, btPause, btStop]
  end
  object OffLabel: TLabel
    Left = 12
    Top = 192
    Caption = '整个禁用：'
  end
  object Player4: TMediaPlayer
    Left = 12
    Top = 212
    Width = 300
    Height = 30
    Enabled = False
  end
  object NoneLabel: TLabel
    Left = 12
    Top = 252
    Caption = '没有按钮：'
  end
  object Player5: TMediaPlayer
    Left = 12
    Top = 272
    Width = 150
    Height = 30
    VisibleButtons = []
  end
  object CloseButton: TButton
    Left = 226
    Top = 318
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 0
    OnClick = CloseClick
  end
end
