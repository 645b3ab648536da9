object DemoTabs: TDemoTabsPage
  Left = 460
  Top = 380
  BorderStyle = bsSingle
  Caption = '控件：标签页'
  ClientWidth = 768
  ClientHeight = 470
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object ClosablePages: TPageControl
    Left = 12
    Top = 12
    Width = 240
    Height = 150
    Tag = 7777
    ActivePage = ClosableSheet2
    TabOrder = 0
    object ClosableSheet1: TTabSheet
      Caption = '首页'
      object ClosableLabel1: TLabel
        Left = 10
        Top = 10
        Caption = '首页不能关闭，其余可以'
      end
    end
    object ClosableSheet2: TTabSheet
      Caption = '文件'
      object ClosableLabel2: TLabel
        Left = 10
        Top = 10
        Caption = '这是「文件」页'
      end
    end
    object ClosableSheet3: TTabSheet
      Caption = '编辑'
      object ClosableLabel3: TLabel
        Left = 10
        Top = 10
        Caption = '这是「编辑」页'
      end
    end
    object ClosableSheet4: TTabSheet
      Caption = '视图'
      object ClosableLabel4: TLabel
        Left = 10
        Top = 10
        Caption = '这是「视图」页'
      end
    end
  end
  object BottomPages: TPageControl
    Left = 264
    Top = 12
    Width = 240
    Height = 150
    TabPosition = tpBottom
    TabOrder = 1
    object BottomSheet1: TTabSheet
      Caption = '上'
      object BottomLabel1: TLabel
        Left = 10
        Top = 10
        Caption = '这是「上」页'
      end
    end
    object BottomSheet2: TTabSheet
      Caption = '下'
      object BottomLabel2: TLabel
        Left = 10
        Top = 10
        Caption = '这是「下」页'
      end
    end
  end
  object LeftPages: TPageControl
    Left = 516
    Top = 12
    Width = 240
    Height = 150
    TabPosition = tpLeft
    TabOrder = 2
    object LeftSheet1: TTabSheet
      Caption = '甲'
      object LeftLabel1: TLabel
        Left = 10
        Top = 10
        Caption = '这是「甲」页'
      end
    end
    object LeftSheet2: TTabSheet
      Caption = '乙'
      object LeftLabel2: TLabel
        Left = 10
        Top = 10
        Caption = '这是「乙」页'
      end
    end
    object LeftSheet3: TTabSheet
      Caption = '丙'
      object LeftLabel3: TLabel
        Left = 10
        Top = 10
        Caption = '这是「丙」页'
      end
    end
  end
  object RightPages: TPageControl
    Left = 12
    Top = 176
    Width = 240
    Height = 150
    TabPosition = tpRight
    TabOrder = 3
    object RightSheet1: TTabSheet
      Caption = '子'
      object RightLabel1: TLabel
        Left = 10
        Top = 10
        Caption = '这是「子」页'
      end
    end
    object RightSheet2: TTabSheet
      Caption = '丑'
      object RightLabel2: TLabel
        Left = 10
        Top = 10
        Caption = '这是「丑」页'
      end
    end
    object RightSheet3: TTabSheet
      Caption = '寅'
      object RightLabel3: TLabel
        Left = 10
        Top = 10
        Caption = '这是「寅」页'
      end
    end
  end
  object ButtonPages: TPageControl
    Left = 264
    Top = 176
    Width = 240
    Height = 150
    Style = tsButtons
    TabOrder = 4
    object ButtonSheet1: TTabSheet
      Caption = '按钮一'
      object ButtonLabel1: TLabel
        Left = 10
        Top = 10
        Caption = '这是「按钮一」页'
      end
    end
    object ButtonSheet2: TTabSheet
      Caption = '按钮二'
      object ButtonLabel2: TLabel
        Left = 10
        Top = 10
        Caption = '这是「按钮二」页'
      end
    end
    object ButtonSheet3: TTabSheet
      Caption = '按钮三'
      object ButtonLabel3: TLabel
        Left = 10
        Top = 10
        Caption = '这是「按钮三」页'
      end
    end
  end
  object FlatTabs: TTabControl
    Left = 516
    Top = 176
    Width = 240
    Height = 70
    Style = tsFlatButtons
    TabIndex = 1
    TabOrder = 5
    Tabs.Strings = (
      '平面一'
      '平面二'
      '平面三')
  end
  object DisabledTabs: TTabControl
    Left = 516
    Top = 256
    Width = 240
    Height = 70
    Enabled = False
    TabIndex = 0
    TabOrder = 6
    Tabs.Strings = (
      '不可用'
      '标签')
  end
  object OverflowTabs: TTabControl
    Left = 12
    Top = 340
    Width = 360
    Height = 60
    TabIndex = 2
    TabOrder = 7
    Tabs.Strings = (
      '标签 1'
      '标签 2'
      '标签 3'
      '标签 4'
      '标签 5'
      '标签 6'
      '标签 7'
      '标签 8'
      '标签 9'
      '标签 10'
      '标签 11'
      '标签 12')
  end
  object NotebookPanel: TPanel
    Left = 384
    Top = 340
    Width = 372
    Height = 56
    BevelOuter = bvLowered
    Caption = '旧式标签集：标签沿上边挂下'
  end
  object TabSet1: TTabSet
    Left = 384
    Top = 396
    Width = 372
    Height = 22
    TabIndex = 0
    Tabs.Strings = (
      '第一'
      '第二'
      '第三'
      '第四'
      '第五'
      '第六'
      '第七'
      '第八'
      '第九'
      '第十')
  end
  object CloseButton: TButton
    Left = 656
    Top = 430
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 8
    OnClick = CloseClick
  end
end
